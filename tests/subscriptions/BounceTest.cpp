#include "ListFixture.h"

#include "store/SqlFilter.h"
#include "subscriptions/Bounces.h"

namespace {

class Bounces : public ListFixture {};

const QString kIncremented = "Bounce count incremented!";
const QString kIgnored = "Not processed as entry within bounce frequency ignore range";

TEST_F(Bounces, OneBouncePerDayWindow)
{
    const qint64 a = addEntry("ann@example.com", "news");
    EXPECT_EQ(processbounce(*ctx, "ANN@example.com", "2026-11-02T09:00:00"), kIncremented);
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-02T18:00:00"), kIgnored);
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-03T01:00:00"), kIncremented);
    const auto e = entries().byIndex(a);
    EXPECT_EQ(e->Bounces, 2);
    EXPECT_EQ(e->LastBounce, QDate(2026, 11, 3));
    EXPECT_EQ(logMessages(), (QStringList{"Update Undeliverable ANN@example.com -> " + kIncremented,
                                          "Update Undeliverable ann@example.com -> " + kIgnored,
                                          "Update Undeliverable ann@example.com -> " + kIncremented}));

    settings.BounceDays = 7;
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-09T01:00:00"), kIgnored);
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-10T01:00:00"), kIncremented);
}

TEST_F(Bounces, TheBounceThatReachesTheMaximumRemovesTheEntry)
{
    settings.BounceMax = 10;
    addEntry("ann@example.com", "news", 8);
    addEntry("ann@example.com", "sales", 0);
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-01T00:00:00"), kIncremented);
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-02T00:00:00"), "Entry successfully deleted!");
    EXPECT_EQ(itemsAndGroups(), QStringList{"ann@example.com|sales"});
    EXPECT_EQ(fileLines("Bounced.txt"), QStringList{"ann@example.com"});
    EXPECT_EQ(db->entryCount(), 1);
}

TEST_F(Bounces, NoRemovalWhenSwitchedOffOrZero)
{
    addEntry("ann@example.com", "news", 20);
    settings.BounceRemoval = false;
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-01T00:00:00"), kIncremented);
    settings.BounceRemoval = true;
    settings.BounceMax = 0;
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", "2026-11-02T00:00:00"), kIncremented);
    EXPECT_EQ(entries().locate("ann@example.com")->Bounces, 22);
}

TEST_F(Bounces, UnknownAddressOnlyLogs)
{
    EXPECT_EQ(processbounce(*ctx, "who@example.com", ""), "E-mail address not found!");
    EXPECT_EQ(logMessages(), QStringList{"Update Undeliverable who@example.com -> E-mail address not found!"});
    EXPECT_TRUE(fileLines("Bounced.txt").isEmpty());
}

TEST_F(Bounces, FailedWritesAreReported)
{
    addEntry("ann@example.com", "news", 0);
    entries().afterPost = [] { throw StoreError(StoreError::Kind::Other, 1, "busy"); };
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", ""), "Bounce count could not be incremented!");
    entries().afterPost = {};
    settings.BounceDays = 0;
    settings.BounceMax = 1;
    entries().beforeDelete = [](qint64) { throw StoreError(StoreError::Kind::Other, 1, "busy"); };
    EXPECT_EQ(processbounce(*ctx, "ann@example.com", ""), "Entry could not be deleted!");
    entries().beforeDelete = {};
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"REMOVE ann@example.com"});
}

TEST_F(Bounces, ResetsForAllAndForChosenRows)
{
    const qint64 a = addEntry("ann@example.com", "news", 3);
    const qint64 b = addEntry("bob@example.com", "news", 4);
    processbounce(*ctx, "ann@example.com", "2026-11-01T00:00:00");
    EXPECT_TRUE(resetBounceCount(*ctx, {b}));
    EXPECT_EQ(entries().byIndex(a)->Bounces, 4);
    EXPECT_EQ(entries().byIndex(b)->Bounces, 0);
    EXPECT_TRUE(ResetBounceCountforallEntries(*ctx));
    EXPECT_EQ(entries().byIndex(a)->Bounces, 0);
    EXPECT_EQ(entries().byIndex(a)->LastBounce, QDate(2026, 11, 1));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(Bounces, WithExclusiveAccessTheResetSavesEachBouncedEntry)
{
    addEntry("ann@example.com", "news", 3);
    addEntry("bob@example.com", "news", 0);
    addEntry("cat@example.com", "sales", 7);
    db->database().setFolder(folder, true, false);
    for (TableId table : kOpenOrder)
        db->database().openTable(table);
    int posts = 0;
    entries().afterPost = [&] { ++posts; };
    EXPECT_TRUE(ResetBounceCountforallEntries(*ctx));
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(entries().count(parseFilter("Bounces > 0")), 0);
    EXPECT_EQ(entries().count(), 3);
}

}  // namespace
