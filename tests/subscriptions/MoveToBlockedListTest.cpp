#include "ListFixture.h"

#include "subscriptions/MoveToBlockedList.h"

namespace {

class MoveToBlocked : public ListFixture {};

TEST_F(MoveToBlocked, MovesTheSelectedEntriesAfterTheQuestion)
{
    settings.Never = {"a@example.com", "z@example.com"};
    const qint64 m = addEntry("M@Example.com", "news");
    const qint64 b = addEntry("b@example.com", "news");
    addEntry("keep@example.com", "news");
    EXPECT_EQ(mkaddtonever(*ctx, {m, b}), 0);
    EXPECT_EQ(entries().count(), 3);

    ui.answer(Ui::Answer::Yes);
    EXPECT_EQ(mkaddtonever(*ctx, {m, b}), 2);
    EXPECT_TRUE(ui.sawText("Are you sure you want to move the 2 selected entries to your never send list?"));
    EXPECT_EQ(settings.Never, (QStringList{"a@example.com", "b@example.com", "m@example.com", "z@example.com"}));
    EXPECT_EQ(itemsAndGroups(), QStringList{"keep@example.com|news"});
    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(ui.progressCaptions, (QStringList{"Moving Record, M@Example.com", "Moving Record, b@example.com"}));
}

TEST_F(MoveToBlocked, AnEntryThatCannotBeRemovedIsNotBlocked)
{
    settings.Never.clear();
    const qint64 kept = addEntry("kept@example.com", "news");
    entries().beforeDelete = [](qint64) { throw StoreError(StoreError::Kind::Other, 1, "locked"); };
    ui.answer(Ui::Answer::Yes);
    EXPECT_EQ(mkaddtonever(*ctx, {kept}), 0);
    EXPECT_TRUE(ui.sawText("Error moving record!"));
    EXPECT_TRUE(settings.Never.isEmpty());
    EXPECT_EQ(entries().count(), 1);
}

}  // namespace
