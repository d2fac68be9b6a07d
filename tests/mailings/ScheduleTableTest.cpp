#include "mailings/NewSchedule.h"
#include "mailings/ScheduleBatch.h"
#include "mailings/ScheduleItemActions.h"
#include "mailings/ScheduleSettings.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduleTexts.h"
#include "mailings/ScheduledSendDelta.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(9, 30));

class Schedules : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/db/";
        ASSERT_TRUE(QDir().mkpath(folder));
        Database::createMissingTables(folder, TableScope::All);
        database.setFolder(folder, false, false);
        database.openTable(TableId::Schedules);
    }

    // A schedule as the send dialog stores it before its settings.
    ScheduleRow stored(int total, const QString& tableFile = "SendMail.dat")
    {
        ScheduleRow row;
        row.StartDate = kNow;
        row.RecipientTotal = total;
        row.Subject = "Winter news for %FIRST_NAME%";
        row.Body = "<p>Hello</p>";
        row.HTML = true;
        row.Customized = true;
        row.Attachments = "/tmp/a.pdf\n/tmp/b.png";
        row.SendType = 3;
        row.SendTableFile = tableFile;
        row.Index = table.append(row);
        return row;
    }

    ScheduleRow withStatus(int status, const QDateTime& nextSend)
    {
        ScheduleRow row = stored(10);
        row.Status = status;
        row.NextSend = nextSend;
        EXPECT_TRUE(table.update(row));
        return row;
    }

    QTemporaryDir dir;
    QString folder;
    Database database;
    ScheduleTable table{database.connection()};
    ScriptedUi ui;
};

TEST_F(Schedules, EveryStartChoiceAndDelayUnitComesBackAsItWasSaved)
{
    struct Case {
        ScheduleSettings::Start start;
        bool allRecipients;
        bool byHand;
        int delay;
        ScheduleSettings::Unit unit;
        int frequency;  // as stored
    };
    const Case cases[] = {
        {ScheduleSettings::Start::AtDate, false, false, 45, ScheduleSettings::Unit::Minutes, 45},
        {ScheduleSettings::Start::Now, false, false, 2, ScheduleSettings::Unit::Hours, 120},
        {ScheduleSettings::Start::Manual, false, false, 3, ScheduleSettings::Unit::Days, 4320},
        {ScheduleSettings::Start::AtDate, true, true, 1, ScheduleSettings::Unit::Hours, 0},
    };
    for (const Case& c : cases) {
        ScheduleRow row = stored(2500);
        ScheduleSettings chosen;
        chosen.name = "Mail-Out December";
        chosen.start = c.start;
        chosen.startAt = kNow.addDays(2);
        chosen.allRecipients = c.allRecipients;
        chosen.batchSize = 700;
        chosen.batchesByHand = c.byHand;
        chosen.delay = c.delay;
        chosen.unit = c.unit;
        chosen.method = 4;
        ASSERT_TRUE(SaveScheduleSettings(table, row, chosen, kNow, false, ui));

        const ScheduleRow back = *table.read(row.Index);
        EXPECT_EQ(back.Frequency, c.frequency);
        EXPECT_EQ(back.SendCount, c.allRecipients ? 0 : 700);
        EXPECT_EQ(back.SendType, 3) << "a new schedule keeps the method it was stored with";
        EXPECT_EQ(back.Status, ScheduleStatus::NotStarted);
        EXPECT_EQ(back.Subject, "Winter news for %FIRST_NAME%");
        EXPECT_EQ(back.Attachments, "/tmp/a.pdf\n/tmp/b.png");
        EXPECT_TRUE(back.HTML && back.Customized);
        EXPECT_EQ(scheduleNextSendingText(back.NextSend) == "Manual", c.start == ScheduleSettings::Start::Manual);

        const ScheduleSettings shown = ShowScheduleSettings(back, kNow);
        EXPECT_EQ(shown.name, chosen.name);
        EXPECT_EQ(shown.start, c.start);
        if (c.start == ScheduleSettings::Start::AtDate) {
            EXPECT_EQ(shown.startAt, chosen.startAt);
        }
        EXPECT_EQ(shown.allRecipients, c.allRecipients);
        if (!c.allRecipients) {
            EXPECT_EQ(shown.batchSize, 700);
        }
        EXPECT_EQ(shown.batchesByHand, c.byHand);
        if (!c.byHand) {
            EXPECT_EQ(shown.delay, c.delay);
            EXPECT_EQ(shown.unit, c.unit);
        }
    }
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(Schedules, AStoredMessageIsAScheduleWithItsChoicesOrNothingAtAll)
{
    ScheduleRow message;
    message.Subject = "Hello %FIRST_NAME%";
    message.Body = "Body";
    message.RecipientTotal = 3;
    message.RecipientSent = 2;  // whatever the caller left there, nothing was sent yet
    message.Status = ScheduleStatus::Completed;
    message.SendType = 3;
    message.SendTableFile = "SendMail_5.dat";
    ScheduleSettings chosen;
    chosen.name = "Weekly";
    chosen.start = ScheduleSettings::Start::Manual;
    const std::optional<int> index = StoreNewSchedule(table, message, chosen, kNow, ui);
    ASSERT_TRUE(index);
    const ScheduleRow row = *table.read(*index);
    EXPECT_EQ(row.BatchName, "Weekly");
    EXPECT_EQ(row.StartDate, kNow);
    EXPECT_EQ(scheduleNextSendingText(row.NextSend), "Manual");
    EXPECT_EQ(scheduleStatusText(row.Status), "Not Started");
    EXPECT_EQ(row.RecipientSent, 0);
    EXPECT_EQ(row.SendTableFile, "SendMail_5.dat");
    EXPECT_TRUE(ui.shown.isEmpty());

    // Choices that cannot be saved leave no schedule behind without a date.
    database.connection().exec("CREATE TRIGGER db_mailschd.refuse BEFORE UPDATE ON mailschd"
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(StoreNewSchedule(table, message, chosen, kNow, ui));
    EXPECT_EQ(ui.texts(), QStringList{"An error was encountered sending your scheduled messages: \r\n"
                                      "Error saving schedule settings"});
    EXPECT_EQ(table.count(), 1);
}

TEST_F(Schedules, EditingStoresTheMethodAndACompletedScheduleStaysAsItWas)
{
    ScheduleRow row = stored(2500);
    row.RecipientSent = 1000;
    ASSERT_TRUE(table.update(row));
    ScheduleSettings chosen = ShowScheduleSettings(row, kNow);
    chosen.name = "Renamed";
    chosen.method = 4;
    ASSERT_TRUE(SaveScheduleSettings(table, row, chosen, kNow, true, ui));
    EXPECT_EQ(table.read(row.Index)->SendType, 4);
    EXPECT_EQ(table.read(row.Index)->Status, ScheduleStatus::Processing) << "some recipients were sent to";

    row.Status = ScheduleStatus::Completed;
    ASSERT_TRUE(table.update(row));
    chosen.name = "Again";
    EXPECT_FALSE(SaveScheduleSettings(table, row, chosen, kNow, true, ui));
    EXPECT_EQ(ui.texts(), QStringList{"This schedule item has already been completed."});
    EXPECT_EQ(table.read(row.Index)->BatchName, "Renamed");
}

TEST_F(Schedules, TheFirstDueScheduleIsStartedAndOnlyRunnableOnesCount)
{
    EXPECT_EQ(ScheduledSendDelta(table, kNow).milliseconds, 0);
    const QDateTime past = kNow.addSecs(-60);
    for (int status : {ScheduleStatus::Completed, ScheduleStatus::Cancelled, ScheduleStatus::ErrorEncountered,
                       ScheduleStatus::OnHold})
        withStatus(status, past);
    for (int marker : {ScheduleMarker::AllSent, ScheduleMarker::WaitsForHand, ScheduleMarker::Manual})
        withStatus(ScheduleStatus::Processing, scheduleMarker(marker).addSecs(3600));
    withStatus(ScheduleStatus::NotStarted, QDateTime());
    const ScheduleDelta none = ScheduledSendDelta(table, kNow);
    EXPECT_EQ(none.milliseconds, 0);
    EXPECT_TRUE(none.hint.isEmpty());

    const ScheduleRow later = withStatus(ScheduleStatus::Processing, kNow.addSecs(90 * 60));
    withStatus(ScheduleStatus::NotStarted, kNow.addSecs(30 * 60));
    const ScheduleDelta soon = ScheduledSendDelta(table, kNow);
    EXPECT_EQ(soon.milliseconds, 30 * 60 * 1000);
    EXPECT_FALSE(soon.dueIndex);
    EXPECT_EQ(soon.hint, "Next message scheduled to send at " + scheduleDateTimeText(kNow.addSecs(30 * 60)));

    const ScheduleRow due = withStatus(ScheduleStatus::NotStarted, past);
    withStatus(ScheduleStatus::Processing, past.addSecs(-60));
    const ScheduleDelta now = ScheduledSendDelta(table, kNow);
    EXPECT_EQ(now.milliseconds, 250);
    EXPECT_EQ(now.dueIndex, due.Index) << "the first in table order, not the oldest";
    EXPECT_EQ(now.hint, "Next message scheduled to send at " + scheduleDateTimeText(past));
    EXPECT_EQ(ScheduledSendDelta(table, past.addMSecs(-61'500)).milliseconds, 1'500) << "to the millisecond";

    // Weeks away: the timer is armed for a day and asks again then.
    for (const ScheduleRow& row : table.rows())
        if (row.Index != later.Index)
            table.remove(row.Index);
    ScheduleRow far = later;
    far.NextSend = kNow.addDays(40);
    ASSERT_TRUE(table.update(far));
    EXPECT_EQ(ScheduledSendDelta(table, kNow).milliseconds, 86'400'000);
}

TEST_F(Schedules, BatchesOfAThousandEveryTwoHoursSendTwentyFiveHundredInThree)
{
    // With the counts the run gives, and with the batch size as the only figure.
    for (bool counted : {true, false}) {
        ScheduleRow row = stored(2500);
        ScheduleSettings chosen;
        chosen.name = "Staggered";
        chosen.start = ScheduleSettings::Start::Now;
        chosen.allRecipients = false;
        chosen.batchSize = 1000;
        chosen.delay = 2;
        chosen.unit = ScheduleSettings::Unit::Hours;
        ASSERT_TRUE(SaveScheduleSettings(table, row, chosen, kNow, false, ui));
        int marked = 0;  // rows of the recipient table marked Sent, in address order
        QDateTime clock = kNow;
        const QList<int> expectedSent = {1000, 2000, 2500};
        for (int batch = 0; batch < 3; ++batch) {
            const ScheduleDelta delta = ScheduledSendDelta(table, clock);
            ASSERT_EQ(delta.milliseconds, 250) << "batch " << batch;
            ASSERT_EQ(delta.dueIndex, row.Index);
            const int handed = std::min(1000, 2500 - marked);
            marked += handed;
            row = FinishScheduleBatch(*table.read(row.Index),
                                      {false, true, counted ? std::optional(handed) : std::nullopt, marked == 2500},
                                      clock);
            ASSERT_TRUE(table.update(row));
            EXPECT_EQ(row.RecipientSent, expectedSent[batch]);
            if (batch < 2) {
                EXPECT_EQ(scheduleStatusText(row.Status), "Processing");
                EXPECT_EQ(row.NextSend, clock.addSecs(120 * 60));
                EXPECT_EQ(ScheduledSendDelta(table, clock).milliseconds, 120 * 60 * 1000);
            }
            clock = clock.addSecs(120 * 60);
        }
        EXPECT_EQ(scheduleStatusText(row.Status), "Completed");
        EXPECT_EQ(markerOf(table.read(row.Index)->NextSend), ScheduleMarker::AllSent);
        EXPECT_EQ(ScheduledSendDelta(table, clock).milliseconds, 0);
        table.remove(row.Index);
    }
}

TEST_F(Schedules, ABatchByHandWaitsForSendNowAndSendToAllNowSendsEveryRowAgain)
{
    ScheduleRow row = stored(2500);
    row.SendCount = 1000;
    row.Frequency = 0;
    row.NextSend = kNow;
    row = FinishScheduleBatch(row, {false, true, 1000, false}, kNow);
    ASSERT_TRUE(table.update(row));
    EXPECT_EQ(markerOf(row.NextSend), ScheduleMarker::WaitsForHand);
    EXPECT_EQ(ScheduledSendDelta(table, kNow.addDays(3)).milliseconds, 0);

    ScheduleSendNow(row, kNow.addDays(3));
    ASSERT_TRUE(table.update(row));
    EXPECT_EQ(ScheduledSendDelta(table, kNow.addDays(3)).dueIndex, row.Index);

    ScheduleSendToAllNow(row, kNow.addDays(3));
    EXPECT_EQ(scheduleRecipientsPerSendingText(row.SendCount), "All");
    // The whole table goes again, the 1000 already sent included.
    row = FinishScheduleBatch(row, {false, true, 2500, true}, kNow.addDays(3));
    EXPECT_EQ(row.Status, ScheduleStatus::Completed);
    EXPECT_EQ(row.RecipientSent, 2500);
}

TEST_F(Schedules, ACancelledBatchIsLeftAloneUntilRecommenced)
{
    ScheduleRow row = stored(2500);
    row.SendCount = 1000;
    row.Frequency = 60;
    row.NextSend = kNow.addSecs(-5);
    row.Status = ScheduleStatus::ErrorEncountered;  // as the timer sets it when the batch starts
    row = FinishScheduleBatch(row, {true, false, 400, false}, kNow);
    ASSERT_TRUE(table.update(row));
    EXPECT_EQ(scheduleStatusText(table.read(row.Index)->Status), "Cancelled");
    EXPECT_EQ(row.RecipientSent, 400);
    EXPECT_EQ(ScheduledSendDelta(table, kNow).milliseconds, 0);

    ScheduleRecommence(row);
    ASSERT_TRUE(table.update(row));
    EXPECT_EQ(ScheduledSendDelta(table, kNow).dueIndex, row.Index);
}

TEST_F(Schedules, HideCompletedItemsKeepsOnlyWhatIsStillToRun)
{
    QList<int> kept;
    for (int status : {ScheduleStatus::Completed, ScheduleStatus::Processing, ScheduleStatus::OnHold,
                       ScheduleStatus::NotStarted, ScheduleStatus::Cancelled, ScheduleStatus::ErrorEncountered}) {
        const ScheduleRow row = withStatus(status, kNow);
        if (status == ScheduleStatus::Processing || status == ScheduleStatus::NotStarted
            || status == ScheduleStatus::ErrorEncountered)
            kept << row.Index;
    }
    const auto indexes = [](const QList<ScheduleRow>& rows) {
        QList<int> out;
        for (const ScheduleRow& row : rows)
            out << row.Index;
        return out;
    };
    EXPECT_EQ(indexes(table.rows(true)), kept);
    EXPECT_EQ(table.rows(false).size(), 6);

    ScheduleRow held = *table.read(kept.first());
    SchedulePutOnHold(held);
    ASSERT_TRUE(table.update(held));
    EXPECT_EQ(scheduleStatusText(held.Status), "On Hold");
    EXPECT_FALSE(indexes(table.rows(true)).contains(held.Index));
}

TEST_F(Schedules, DeleteItemRemovesTheRecipientTableFilesAndSaysWhatFailed)
{
    const QStringList files = {"SendMail_2.dat", "SendMail_2.idx", "SendMail_2.dat-journal", "SendMail_2.dat-wal"};
    for (const QString& name : files)
        writeTestFile(folder + name, "x");
    writeTestFile(dir.path() + "/outside.dat", "keep");
    const ScheduleRow first = stored(10, "SendMail_2.dat");
    const ScheduleRow stray = stored(10, "../outside.dat");

    ui.answer(Ui::Answer::No);
    EXPECT_FALSE(DeleteScheduleItem(table, first, folder, ui));
    EXPECT_TRUE(QFileInfo::exists(folder + "SendMail_2.dat"));

    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(DeleteScheduleItem(table, first, folder, ui));
    for (const QString& name : files)
        EXPECT_FALSE(QFileInfo::exists(folder + name)) << name.toStdString();
    EXPECT_FALSE(table.read(first.Index));

    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(DeleteScheduleItem(table, stray, folder, ui));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/outside.dat")) << "a stored path never reaches out of the folder";
    EXPECT_EQ(ui.texts().last(), "You have no more items in your send schedule.");

    // A file that will not go is named; the row goes all the same. A row already
    // gone cannot be deleted.
    const ScheduleRow locked = stored(10, "SendMail_3.dat");
    stored(10, {});
    ASSERT_TRUE(QDir().mkpath(folder + "SendMail_3.dat/inside"));
    ui.shown.clear();
    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(DeleteScheduleItem(table, locked, folder, ui));
    ui.answer(Ui::Answer::Yes);
    EXPECT_FALSE(DeleteScheduleItem(table, locked, folder, ui));
    EXPECT_EQ(ui.texts(), QStringList({"Are you sure you want to remove this item?",
                                       "An error was encountered deleting the file, "
                                           + QDir::toNativeSeparators(folder + "SendMail_3.dat") + ".",
                                       "Are you sure you want to remove this item?",
                                       "An error was encountered deleting the file, "
                                           + QDir::toNativeSeparators(folder + "SendMail_3.dat") + ".",
                                       "The entry could not be deleted."}));
}

}  // namespace
