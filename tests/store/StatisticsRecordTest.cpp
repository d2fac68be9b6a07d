#include "base/Folders.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(12, 0));

class StatisticsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + "/";
        Database::createMissingTables(folder, TableScope::All);
        database.setFolder(folder, false, false);
        for (TableId table : kOpenOrder)
            database.openTable(table);
    }

    QStringList groupRows()
    {
        QStringList out;
        Statement read(database.connection(), "SELECT Date, Category, Count FROM mailsubs ORDER BY \"Index\"");
        while (read.step())
            out << read.text(0) + "|" + read.text(1) + "|" + QString::number(read.integer(2));
        return out;
    }

    QTemporaryDir dir;
    Database database;
    qint64 entryCount = 42;
    int displayRefreshes = 0;
    StatisticsRecorder recorder{database, [this] { return entryCount; }, [] { return kNow; }};
};

TEST_F(StatisticsRecord, FutureAndAncientDatesCountToday)
{
    recorder.AddStatRecord(StatSubscribe, "2027-01-01T00:00:00", "news");
    recorder.AddStatRecord(StatBounce, "1970-01-01T00:00:00", {});
    recorder.AddStatRecord(StatUnsubscribe, "garbage", {});
    const auto rows = readDailyStatRows(database);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Date, kNow.date());
    EXPECT_EQ(rows[0].Subscribes, 1);
    EXPECT_EQ(rows[0].Bounces, 1);
    EXPECT_EQ(rows[0].Unsubscribes, 1);
    EXPECT_EQ(rows[0].Total, 42);
    EXPECT_EQ(recorder.counters.subscribes, 1);
    EXPECT_EQ(recorder.counters.bounces, 1);
    EXPECT_EQ(recorder.counters.unsubscribes, 1);
}

TEST_F(StatisticsRecord, PastDaysKeepTheirTotalAndRowsComeOldestFirst)
{
    recorder.AddStatRecord(StatSubscribe, "2026-12-05T10:00:00", {});
    recorder.AddStatRecord(StatSubscribe, "2026-12-01T10:00:00", {});
    recorder.AddStatRecord(StatSubscribe, "2026-12-05T23:00:00", {});
    const auto rows = readDailyStatRows(database);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].Date, QDate(2026, 12, 1));
    EXPECT_EQ(rows[1].Date, QDate(2026, 12, 5));
    EXPECT_EQ(rows[1].Subscribes, 2);
    EXPECT_EQ(rows[1].Total, -1);
    EXPECT_TRUE(groupRows().isEmpty());
}

TEST_F(StatisticsRecord, GroupsDifferingOnlyInCaseShareOneRow)
{
    recorder.AddStatRecord(StatSubscribe, {}, "News");
    recorder.AddStatRecord(StatSubscribe, {}, "NEWS");
    recorder.AddStatRecord(StatSubscribe, {}, "Zoë");
    recorder.AddStatRecord(StatSubscribe, {}, "ZOË");
    recorder.AddStatRecord(StatSubscribe, "2026-12-01T10:00:00", "news");
    // Only subscriptions count per group.
    recorder.AddStatRecord(StatUnsubscribe, {}, "News");
    EXPECT_EQ(groupRows(), (QStringList{"2026-12-08|News|2", "2026-12-08|Zoë|2", "2026-12-01|news|1"}));
}

TEST_F(StatisticsRecord, RefreshCreatesTodaysRowWithZeroCountsAndTheTotal)
{
    recorder.displayChanged = [this] { ++displayRefreshes; };
    recorder.refreshHook()();
    const auto rows = readDailyStatRows(database);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Date, kNow.date());
    EXPECT_EQ(rows[0].Subscribes, 0);
    EXPECT_EQ(rows[0].Unsubscribes, 0);
    EXPECT_EQ(rows[0].Bounces, 0);
    EXPECT_EQ(rows[0].Total, 42);
    EXPECT_EQ(displayRefreshes, 1);

    entryCount = 40;
    recorder.AddStatRecord(StatRefresh, {}, {});
    EXPECT_EQ(readDailyStatRows(database)[0].Total, 40);
    EXPECT_EQ(recorder.counters.subscribes, 0);
}

TEST_F(StatisticsRecord, FailuresAreSilent)
{
    database.close();
    EXPECT_NO_THROW(recorder.AddStatRecord(StatSubscribe, {}, "news"));
    EXPECT_EQ(recorder.counters.subscribes, 0);
    EXPECT_THROW(readDailyStatRows(database), StoreError);
}

}  // namespace

namespace {

TEST(StatisticsRefreshOnSave, SavingTheDatabaseRecordsTodaysTotal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Folders folders = Folders::forApplication(dir.path());
    Settings settings;
    ScriptedUi ui;
    for (int i = 0; i < 5; ++i)
        ui.answer(Ui::Answer::Yes);
    Logs logs(settings.logSwitches(), folders.application, [&] { return folders.application + "List/"; });
    TdmML db(folders, settings, logs, ui);
    ASSERT_TRUE(db.OpenDatabase(folders.application + "List/"));
    StatisticsRecorder recorder(db.database(), [&] { return db.entryCount(); });
    db.recordRefresh = recorder.refreshHook();

    db.setEntryCount(7);
    db.SaveDatabase();
    const auto rows = readDailyStatRows(db.database());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Date, QDate::currentDate());
    EXPECT_EQ(rows[0].Subscribes, 0);
    EXPECT_EQ(rows[0].Total, 7);
}

}  // namespace
