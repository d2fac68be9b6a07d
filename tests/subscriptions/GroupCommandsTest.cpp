#include "ListFixture.h"

#include "subscriptions/GroupCommands.h"
#include "subscriptions/RecipientGroup.h"

namespace {

class GroupCommands : public ListFixture {};

TEST_F(GroupCommands, ChangeGroupDeletesEntriesThatWouldBecomeDuplicates)
{
    const qint64 a = addEntry("ann@example.com", "default");
    addEntry("ANN@example.com", "news");
    const qint64 b = addEntry("bob@example.com", "default");
    const qint64 c = addEntry("cat@example.com", "NEWS");
    ui.chosenGroups.push_back(QString("news"));
    EXPECT_TRUE(changeGroupOfEntries(*ctx, {a, b, c}, "default"));
    EXPECT_TRUE(ui.sawText("Please enter a group for these 3 entries"));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Setting group to news"});
    EXPECT_EQ(itemsAndGroups(), (QStringList{"ANN@example.com|news", "bob@example.com|news",
                                             "cat@example.com|NEWS"}));
    EXPECT_EQ(db->entryCount(), 3);
}

TEST_F(GroupCommands, ChangeGroupNeedsRowsAndAnAnswer)
{
    const qint64 a = addEntry("ann@example.com", "default");
    EXPECT_FALSE(changeGroupOfEntries(*ctx, {}, {}));
    EXPECT_TRUE(ui.shown.isEmpty());
    ui.chosenGroups.push_back(std::nullopt);
    EXPECT_FALSE(changeGroupOfEntries(*ctx, {a}, {}));
    EXPECT_EQ(entries().byIndex(a)->Category, "default");
}

TEST_F(GroupCommands, ChangeGroupReportsAFailureAndGoesOn)
{
    const qint64 a = addEntry("ann@example.com", "default");
    const qint64 b = addEntry("bob@example.com", "default");
    int posts = 0;
    entries().afterPost = [&] {
        if (++posts == 1)
            throw StoreError(StoreError::Kind::Other, 1, "busy");
    };
    ui.chosenGroups.push_back(QString("news"));
    EXPECT_TRUE(changeGroupOfEntries(*ctx, {a, b}, {}));
    entries().afterPost = {};
    EXPECT_TRUE(ui.sawText("Error changing category!"));
    EXPECT_EQ(entries().byIndex(b)->Category, "news");
}

TEST_F(GroupCommands, MergeLeavesOneDefaultEntryPerAddress)
{
    addEntry("ann@example.com", "news");
    addEntry("ann@example.com", "sales");
    addEntry("Ann@example.com", "default");
    addEntry("bob@example.com", "news");
    ui.answer(Ui::Answer::Ok);
    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(MergeAllCategories(*ctx));
    // The first entry finds the address already in "default" (any case) and goes.
    EXPECT_EQ(itemsAndGroups(), (QStringList{"Ann@example.com|Default", "bob@example.com|Default"}));
    EXPECT_EQ(db->entryCount(), 2);
    EXPECT_EQ(ui.progressCaptions, QStringList{"Merging Entries"});
    EXPECT_TRUE(ui.sawText("Are you sure you have backed up and are ready to continue?"));
}

TEST_F(GroupCommands, MergeStopsWhenEitherQuestionIsDeclined)
{
    addEntry("ann@example.com", "news");
    ui.answer(Ui::Answer::Cancel);
    EXPECT_FALSE(MergeAllCategories(*ctx));
    ui.answer(Ui::Answer::Ok);
    ui.answer(Ui::Answer::No);
    EXPECT_FALSE(MergeAllCategories(*ctx));
    EXPECT_EQ(itemsAndGroups(), QStringList{"ann@example.com|news"});
}

TEST_F(GroupCommands, MergeAsksAfterAnErrorAndStopsOnNo)
{
    addEntry("ann@example.com", "news");
    addEntry("bob@example.com", "news");
    entries().afterPost = [] { throw StoreError(StoreError::Kind::Other, 1, "busy"); };
    ui.answer(Ui::Answer::Ok);
    ui.answer(Ui::Answer::Yes);
    ui.answer(Ui::Answer::No);
    EXPECT_TRUE(MergeAllCategories(*ctx));
    entries().afterPost = {};
    EXPECT_EQ(ui.texts().count("An error was encountered while processing.  Do you want to continue?"), 1);
    // Each step is whole: no entry is left holding the merge marker.
    EXPECT_EQ(itemsAndGroups(), (QStringList{"ann@example.com|news", "bob@example.com|news"}));
}

TEST_F(GroupCommands, RecipientGroupFollowsTheForwardingRule)
{
    addEntry("member@example.com", "news");
    settings.ForwardToWhom = "All";
    EXPECT_EQ(GetRecipientGroup(settings, entries(), "x@example.com", "", ""), QString());
    settings.ForwardToWhom = "Email";
    EXPECT_EQ(GetRecipientGroup(settings, entries(), "", "List <  sales@example.com>", ""), QString("sales"));
    EXPECT_EQ(GetRecipientGroup(settings, entries(), "", "news@example.com", ""), QString("news"));
    EXPECT_FALSE(GetRecipientGroup(settings, entries(), "", "no address", ""));
    settings.ForwardToWhom = "Sender";
    EXPECT_EQ(GetRecipientGroup(settings, entries(), "MEMBER@example.com", "", ""), QString("news"));
    EXPECT_FALSE(GetRecipientGroup(settings, entries(), "stranger@example.com", "", ""));
    settings.ForwardToWhom = "Subject";
    EXPECT_EQ(GetRecipientGroup(settings, entries(), "", "", "[ News ] My feedback"), QString("News"));
    EXPECT_FALSE(GetRecipientGroup(settings, entries(), "", "", "No brackets here"));
    EXPECT_FALSE(GetRecipientGroup(settings, entries(), "", "", "[] empty"));
    EXPECT_FALSE(GetRecipientGroup(settings, entries(), "", "", "open [ only"));
}

}  // namespace
