#include "ListFixture.h"

namespace {

class InsertEntryRemove : public ListFixture {};

TEST_F(InsertEntryRemove, AllRemovesEveryGroupWithOneAcknowledgementEachAndOneRemovedLine)
{
    addEntry("ann@example.com", "default");
    addEntry("ann@example.com", "news");
    addEntry("ANN@example.com", "sales");
    addEntry("bob@example.com", "news");

    EXPECT_EQ(request(false, "ann@example.com", "ALL", {}, "2026-12-02T08:00:00"),
              QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(itemsAndGroups(), QStringList{"bob@example.com|news"});
    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(statistics->counters.unsubscribes, 3);
    EXPECT_EQ(statistics->counters.movement, -3);
    ASSERT_EQ(acks.size(), 3);
    for (const auto& a : acks) {
        EXPECT_EQ(a.text, "The e-mail address, ann@example.com, was successfully removed from our Mailing list.");
        EXPECT_FALSE(a.subscribe);
    }
    EXPECT_EQ(fileLines("Removed.txt"), QStringList{"ann@example.com"});
    EXPECT_TRUE(fileLines("Bounced.txt").isEmpty());
    EXPECT_EQ(logMessages(), QStringList{"REMOVE ann@example.com   (c)  ->  Entry successfully deleted!"});
    const auto rows = readDailyStatRows(db->database());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Unsubscribes, 3);
}

TEST_F(InsertEntryRemove, MeAlsoMeansEveryGroup)
{
    addEntry("ann@example.com", "default");
    addEntry("ann@example.com", "news");
    EXPECT_EQ(request(false, "ann@example.com", "me"), QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(entries().count(), 0);
}

TEST_F(InsertEntryRemove, AGroupRemovesOnlyThatGroupWithMultipleGroups)
{
    addEntry("ann@example.com", "default");
    addEntry("ann@example.com", "news");
    EXPECT_EQ(request(false, "Ann <ann@example.com>", "NEWS"), QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(itemsAndGroups(), QStringList{"ann@example.com|default"});
    ASSERT_EQ(acks.size(), 1);
    EXPECT_EQ(acks[0].text, "The e-mail address, ann@example.com, was successfully removed from the Group, NEWS.");
    EXPECT_EQ(logMessages(), QStringList{"REMOVE ann@example.com NEWS  (c)  ->  Entry successfully deleted!"});

    settings.MultipleCategorySupport = false;
    EXPECT_EQ(request(false, "ann@example.com", "news"), QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(entries().count(), 0);
}

TEST_F(InsertEntryRemove, UnknownAddressIsAnsweredWithNoRecord)
{
    EXPECT_EQ(request(false, "gone@example.com", "news"), QStringList{"E-mail address not found!"});
    ASSERT_EQ(acks.size(), 1);
    EXPECT_EQ(acks[0].text, "There is no record of the e-mail address, gone@example.com, in the Group, news.");
    EXPECT_TRUE(fileLines("Removed.txt").isEmpty());

    settings.MultipleCategorySupport = false;
    request(false, "gone@example.com", "news");
    EXPECT_EQ(acks[1].text, "There is no record of the e-mail address, gone@example.com, in our Mailing list.");
    EXPECT_EQ(logMessages().last(), "REMOVE gone@example.com news  (c)  ->  E-mail address not found!");
}

TEST_F(InsertEntryRemove, UnsubscribersJoinTheBlockedListWhenAsked)
{
    settings.Never.clear();
    request(false, "Gone@Example.com", "");
    EXPECT_TRUE(settings.Never.isEmpty());
    settings.AddUnsubscribers = true;
    request(false, "Gone@Example.com", "");
    request(false, "GONE@example.com", "");
    EXPECT_EQ(settings.Never, QStringList{"gone@example.com"});
}

TEST_F(InsertEntryRemove, AFailurePartWayLeavesEveryEntryInPlace)
{
    addEntry("ann@example.com", "default");
    addEntry("ann@example.com", "news");
    addEntry("ann@example.com", "sales");
    int deletes = 0;
    entries().beforeDelete = [&](qint64) {
        if (++deletes == 2)
            throw StoreError(StoreError::Kind::Other, 1, "locked");
    };
    EXPECT_EQ(request(false, "ann@example.com", "all"), QStringList{"Entry could not be deleted!"});
    entries().beforeDelete = {};
    EXPECT_EQ(entries().count(), 3);
    EXPECT_EQ(db->entryCount(), 3);
    EXPECT_TRUE(acks.isEmpty());
    EXPECT_TRUE(fileLines("Removed.txt").isEmpty());
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"REMOVE ann@example.com"});
    EXPECT_EQ(statistics->counters.unsubscribes, 0);
}

TEST_F(InsertEntryRemove, AFailedRemovalDoesNotBlockTheAddress)
{
    settings.AddUnsubscribers = true;
    settings.Never.clear();
    addEntry("ann@example.com", "news");
    entries().beforeDelete = [](qint64) { throw StoreError(StoreError::Kind::Other, 1, "locked"); };
    EXPECT_EQ(request(false, "ann@example.com", "all"), QStringList{"Entry could not be deleted!"});
    EXPECT_TRUE(settings.Never.isEmpty());
    entries().beforeDelete = {};
    EXPECT_EQ(request(false, "ann@example.com", "all"), QStringList{"Entry successfully deleted!"});
    EXPECT_EQ(settings.Never, QStringList{"ann@example.com"});
}

}  // namespace
