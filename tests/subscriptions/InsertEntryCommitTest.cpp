#include "ListFixture.h"

#include "store/SqliteConnection.h"
#include "store/StatisticsFigures.h"

#include <stdexcept>

namespace {

// A request's entries and its statistics are one commit. These cases make the
// request fail after its statistics were written (the information page's refresh
// raises), so both must be rolled back and nothing may stay counted.
class InsertEntryCommit : public ListFixture {
protected:
    // Only the first refresh raises: the one inside the request's transaction.
    void failAfterStatistics()
    {
        statistics->displayChanged = [this] {
            if (!refreshFailed) {
                refreshFailed = true;
                throw std::runtime_error("display gone");
            }
        };
    }

    bool refreshFailed = false;
};

TEST_F(InsertEntryCommit, AnAdditionFailingAfterItsStatisticsLeavesNoTrace)
{
    failAfterStatistics();
    const QStringList results = request(true, "ann@example.com", "news", {}, "2026-12-01T10:00:00");

    EXPECT_TRUE(refreshFailed);
    EXPECT_EQ(results, QStringList{"Error inserting into database: display gone"});
    EXPECT_EQ(entries().count(), 0);
    EXPECT_TRUE(readDailyStatRows(db->database()).isEmpty());
    EXPECT_EQ(db->entryCount(), 0);
    EXPECT_EQ(statistics->counters.subscribes, 0);
    EXPECT_EQ(statistics->counters.movement, 0);
    EXPECT_TRUE(acks.isEmpty());
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"ADD ann@example.com news"});
}

TEST_F(InsertEntryCommit, ARemovalFailingAfterItsStatisticsLeavesEveryEntry)
{
    addEntry("ann@example.com", "default");
    addEntry("ann@example.com", "news");
    failAfterStatistics();
    const QStringList results = request(false, "ann@example.com", "all", {}, "2026-12-01T10:00:00");

    EXPECT_TRUE(refreshFailed);
    EXPECT_EQ(results, QStringList{"Entry could not be deleted!"});
    EXPECT_EQ(entries().count(), 2);
    EXPECT_TRUE(readDailyStatRows(db->database()).isEmpty());
    EXPECT_EQ(db->entryCount(), 2);
    EXPECT_EQ(statistics->counters.unsubscribes, 0);
    EXPECT_TRUE(acks.isEmpty());
    EXPECT_TRUE(fileLines("Removed.txt").isEmpty());
}

TEST_F(InsertEntryCommit, ASuccessfulRequestCommitsEntryAndStatisticsTogether)
{
    EXPECT_EQ(request(true, "ann@example.com", "news", {}, "2026-12-01T10:00:00"),
              QStringList{"Entered Successfully"});
    EXPECT_FALSE(db->database().connection().inTransaction());
    EXPECT_EQ(request(false, "ann@example.com", "news", {}, "2026-12-01T11:00:00"),
              QStringList{"Entry successfully deleted!"});
    EXPECT_FALSE(db->database().connection().inTransaction());

    const auto rows = readDailyStatRows(db->database());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Subscribes, 1);
    EXPECT_EQ(rows[0].Unsubscribes, 1);
    EXPECT_EQ(entries().count(), 0);
    EXPECT_EQ(db->entryCount(), 0);
}

}  // namespace
