#include "ListFixture.h"

#include "subscriptions/GroupChoice.h"
#include "subscriptions/GroupList.h"

namespace {

class GroupRules : public ListFixture {};

const QString kAddHeading = "An entry being added to your database specifies an unsupported Group Name, "
                            "\"Sales\".  Do you want to add it to your Group List?";

TEST_F(GroupRules, SupportedGroupsAreComparedWithoutRegardToCase)
{
    EXPECT_TRUE(SupportedGroup(settings, "NEWS"));
    EXPECT_TRUE(SupportedGroup(settings, "Default"));
    EXPECT_FALSE(SupportedGroup(settings, "sales"));
    EXPECT_EQ(request(true, "a@example.com", "NEWS"), QStringList{"Entered Successfully"});
    EXPECT_EQ(entries().locate("a@example.com")->Category, "NEWS");
}

TEST_F(GroupRules, ErrorChoiceRefusesAnUnsupportedGroup)
{
    settings.WrongCategory = 0;
    EXPECT_EQ(request(true, "a@example.com", "Sales"), QStringList{"Not Added: Invalid Group!"});
    EXPECT_EQ(request(false, "a@example.com", "Sales"), QStringList{"Not Added: Invalid Group!"});
    EXPECT_EQ(fileLines("Errors.txt"), (QStringList{"ADD a@example.com Sales", "REMOVE a@example.com Sales"}));
    EXPECT_EQ(logMessages().first(), "ADD a@example.com Sales  (c)  ->  Not Added: Invalid Group!");
    EXPECT_EQ(entries().count(), 0);
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(GroupRules, ChangeChoiceUsesTheAlternativeGroupOrEveryGroup)
{
    settings.WrongCategory = 1;
    settings.AlternativeCategory = "news";
    EXPECT_EQ(request(true, "a@example.com", "Sales"), QStringList{"Entered Successfully"});
    addEntry("a@example.com", "default");
    EXPECT_EQ(itemsAndGroups(), (QStringList{"a@example.com|news", "a@example.com|default"}));
    EXPECT_EQ(request(false, "a@example.com", "Sales"), QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(entries().count(), 0);
}

TEST_F(GroupRules, ConfirmChoiceAddsTheChosenGroupInLowerCase)
{
    ui.chosenGroups.push_back(QString("Sales"));
    EXPECT_EQ(request(true, "a@example.com", "Sales"), QStringList{"Entered Successfully"});
    EXPECT_TRUE(ui.sawText(kAddHeading));
    EXPECT_EQ(ui.groupChoiceLists, QStringList{"default,news"});
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news", "sales"}));
    EXPECT_EQ(entries().locate("a@example.com")->Category, "Sales");
}

TEST_F(GroupRules, ConfirmChoiceCancelledIsAnInvalidGroup)
{
    ui.chosenGroups.push_back(std::nullopt);
    EXPECT_EQ(request(true, "a@example.com", "Sales"), QStringList{"Not Added: Invalid Group!"});
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"ADD a@example.com Sales"});
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news"}));
}

TEST_F(GroupRules, ChooserStaysOpenUntilTheTextPasses)
{
    // Empty, then a comma, then a blank declined, then a blank accepted.
    ui.chosenGroups = {QString(), QString("a,b"), QString("new group"), QString("new group")};
    ui.answer(Ui::Answer::No);
    ui.answer(Ui::Answer::Yes);
    QString group = "Sales";
    EXPECT_TRUE(CheckGroup(*ctx, group, GroupForAddedEntry));
    EXPECT_EQ(group, "new group");
    EXPECT_TRUE(ui.sawText("You have not specified a group."));
    EXPECT_TRUE(ui.sawText("The group you have entered contains a comma.  Commas are not permitted in group names."));
    EXPECT_EQ(ui.texts().count("The group you have entered contains a space.  Are you sure you want to continue?"), 2);
    EXPECT_TRUE(settings.Cats.contains("new group"));
}

TEST_F(GroupRules, RemovalChoiceMayBeClearedAndIsNotAdded)
{
    addEntry("a@example.com", "default");
    addEntry("a@example.com", "news");
    ui.chosenGroups.push_back(QString());
    EXPECT_EQ(request(false, "a@example.com", "Sales"), QStringList{"Entry successfully deleted!"});
    EXPECT_TRUE(ui.sawText("An entry being removed from your database specifies an unsupported Group Name, "
                           "\"Sales\".  Which group should they be removed from?\n"
                           "(Clear field to remove user from all groups)"));
    EXPECT_EQ(entries().count(), 0);
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news"}));
}

TEST_F(GroupRules, TypedGroupsAreCheckedOneByOne)
{
    QString text = "news, Sales ,,Extra";
    ui.chosenGroups = {QString("Sales"), QString("Extra")};
    EXPECT_TRUE(CheckGroup_Tcombo(*ctx, text, true));
    EXPECT_EQ(text, "news,Sales,Extra");
    EXPECT_TRUE(ui.sawText("You have specified an unsupported Group Name, Sales.  Do you want to add it to "
                           "your Group List?"));
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news", "sales", "extra"}));

    QString refused = "news,Other";
    EXPECT_FALSE(CheckGroup_Tcombo(*ctx, refused, true));
    EXPECT_EQ(refused, "news,Other");

    QString several = "a,b";
    EXPECT_FALSE(CheckGroup_Tcombo(*ctx, several, false));
    EXPECT_TRUE(ui.sawText("Group names cannot contain commas!"));
}

TEST_F(GroupRules, GetGroupWithTheSupportedCheckAddsANewGroupThroughANestedQuestion)
{
    ui.chosenGroups = {QString("Fresh"), QString("fresh")};
    const auto group = GetGroup(*ctx, "Pick one", "news", true);
    ASSERT_TRUE(group);
    EXPECT_EQ(*group, "fresh");
    EXPECT_TRUE(ui.sawText("Pick one"));
    EXPECT_TRUE(settings.Cats.contains("fresh"));
}

TEST_F(GroupRules, FormattingAllowsEmptyAndPlainNames)
{
    EXPECT_TRUE(CheckGroupFormatting(ui, ""));
    EXPECT_TRUE(CheckGroupFormatting(ui, "plain"));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(GroupRules, AddToGroupListSkipsKnownGroupsAndTellsTheLists)
{
    int told = 0;
    db->groupsChanged = [&] { ++told; };
    AddToGroupList(*ctx, "NEWS");
    AddToGroupList(*ctx, "");
    AddToGroupList(*ctx, "Zoë");
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news", "zoë"}));
    EXPECT_EQ(told, 1);
}

}  // namespace
