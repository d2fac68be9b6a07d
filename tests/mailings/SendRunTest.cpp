#include "logs/Logs.h"
#include "mail/MailStores.h"
#include "mailings/ClockPause.h"
#include "mailings/MailingRun.h"
#include "mailings/RecipientLoop.h"
#include "mailings/RecipientTableBuilder.h"
#include "mailings/SendDialogRun.h"
#include "mailings/SendLogTable.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduledSending.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

namespace {

// A pause that only notes how long it would have waited, and answers as told.
class ScriptedPause : public StaggerPause {
public:
    Result pause(int seconds) override
    {
        waited << (seconds + 1) * 1000;
        if (during)
            during();
        if (answers.empty())
            return Result::Continue;
        const Result answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QList<int> waited;
    std::deque<Result> answers;
    std::function<void()> during;
};

class SendRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }

    void start(SmtpSinkOptions options = {})
    {
        sink = std::make_unique<SmtpSink>(options);
        ASSERT_TRUE(sink->started());
        settings.SMTPHost = "127.0.0.1";
        settings.SMTPPort = sink->account().port;
        settings.SMTPEmail = "owner@list.test";
        settings.SendLog = true;
        mailSend = std::make_unique<TdmMailSend>(settings, logs, ui, [this] { return dir.path() + "/"; },
                                                 [] { return MailStores({}, {}); });
        Database::createMissingTables(dir.path(), TableScope::All);
        db.setFolder(dir.path(), false, false);
        db.openTable(TableId::Log);
        db.openTable(TableId::Schedules);
        table = std::make_unique<SendListTable>(db.connection(), dir.path());
        ASSERT_TRUE(table->CreateSendMailTable(ui));
    }

    void fill(const QStringList& lines)
    {
        QStringList rejects;
        RecipientTableBuilder builder(*table, settings, ui, mailSend->flags);
        ASSERT_TRUE(builder.fromLines(lines, false, rejects));
    }

    static QStringList addresses(int count)
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << QString("r%1@x.test").arg(i, 4, 10, QChar('0'));
        return list;
    }

    RunResult run(RunOptions options, RunMessage message = {})
    {
        if (message.subject.isEmpty()) {
            message.subject = "Hello %FIRST_NAME%";
            message.body = "Dear %FULL_NAME%,\r\nnews.\r\n";
            message.personalised = true;
        }
        RecipientLoop loop(*table, *mailSend, settings, ui, pause);
        return loop.SendMailToDB(message, options);
    }

    QStringList rowStates()
    {
        QStringList states;
        table->walk([&](const SendListRow& r) { return states << r.Item + ' ' + r.outcome.display(), true; });
        return states;
    }

    QStringList deliveredTo()
    {
        QStringList to;
        for (const SinkMessage& m : sink->messages())
            to += m.recipients;
        return to;
    }

    QTemporaryDir dir;
    Settings settings;
    ScriptedUi ui;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    Database db;
    ScriptedPause pause;
    std::unique_ptr<SmtpSink> sink;
    std::unique_ptr<TdmMailSend> mailSend;
    std::unique_ptr<SendListTable> table;
};

TEST_F(SendRun, BccBatchesCarryAtMostTheirCountAndAnAddressGoesOnceWhateverItsCase)
{
    start();
    fill(addresses(500) + QStringList{"Ann Case <Case@X.test>", "case@x.TEST"});
    ASSERT_EQ(table->count(), 501);
    RunOptions options;
    options.recipientsPerMessage = 250;
    options.extraTo = {"list@list.test"};
    const RunResult result = run(options, {"News", "Plain news", {}, false, {}, false});
    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.handled, 501);
    QList<qsizetype> sizes;
    for (const SinkMessage& m : sink->messages())
        sizes << m.recipients.size();
    EXPECT_EQ(sizes, (QList<qsizetype>{251, 251, 2}));  // the extra To address rides on each
    EXPECT_EQ(deliveredTo().filter("case@x.test", Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(table->tally().accepted, 501);
    EXPECT_TRUE(pause.waited.isEmpty());
}

TEST_F(SendRun, EachRecipientGetsItsOwnPersonalisedMessageWithTheCcButNotTheExtraTo)
{
    start();
    fill({"Zoë Quinn <zoe@x.test>", "bob@x.test"});
    RunOptions options;
    options.extraTo = {"boss@x.test"};
    options.extraCc = {"copy@x.test"};
    run(options);
    const QList<SinkMessage> taken = sink->messages();
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0].recipients, (QStringList{"bob@x.test", "copy@x.test"}));
    EXPECT_EQ(taken[1].recipients, (QStringList{"zoe@x.test", "copy@x.test"}));
    EXPECT_TRUE(taken[1].bytes.contains("Dear Zo")) << taken[1].bytes.constData();
    EXPECT_FALSE(taken[1].bytes.contains("%FULL_NAME%"));
    EXPECT_FALSE(deliveredTo().contains("boss@x.test"));
}

TEST_F(SendRun, RefusedRecipientsKeepTheServersWordsAndTheRestOfTheBatchStillGetsIt)
{
    SmtpSinkOptions options;
    options.refused = {"gone@x.test"};
    options.deferred = "later@x.test";
    start(options);
    fill({"ann@x.test", "gone@x.test", "later@x.test", "zed@x.test"});
    RunOptions bcc;
    bcc.recipientsPerMessage = 10;
    EXPECT_EQ(run(bcc, {"News", "Plain news", {}, false, {}, false}).end, RunEnd::Completed);
    EXPECT_EQ(deliveredTo(), (QStringList{"ann@x.test", "zed@x.test"}));
    const QStringList states = rowStates();
    ASSERT_EQ(states.size(), 4);
    EXPECT_EQ(states[0], "ann@x.test Accepted");
    EXPECT_TRUE(states[1].startsWith("gone@x.test Refused (550")) << states[1].toStdString();
    EXPECT_TRUE(states[2].startsWith("later@x.test Refused for now (450")) << states[2].toStdString();
    EXPECT_EQ(states[3], "zed@x.test Accepted");
    // Refused rows count as handed over for the Sent mark, but not as accepted.
    EXPECT_EQ(table->unsentCount(), 0);
    EXPECT_EQ(table->tally().refused, 2);
}

TEST_F(SendRun, ResendToRefusedSendsOnlyTheRefusedRowsAsARunOfItsOwnAndLeavesTheFirstRunsRecord)
{
    SmtpSinkOptions refusing;
    refusing.refused = {"gone@x.test"};
    refusing.deferred = "later@x.test";
    start(refusing);
    fill({"ann@x.test", "gone@x.test", "later@x.test"});
    MailingRun mailing(db.connection(), dir.path() + "/", settings, *mailSend, ui, pause);
    SendLogRecord record;
    record.Subject = "News";
    const qint64 first = mailing.SaveEmailToSendLog(record, *table);
    ASSERT_EQ(mailing.send(*table, first, {"News", "Plain", {}, false, {}, false}, {}).end, RunEnd::Completed);

    // The server takes them now.
    sink = std::make_unique<SmtpSink>();
    ASSERT_TRUE(sink->started());
    settings.SMTPPort = sink->account().port;
    const RunSummary again = mailing.resendToRefused(*table);
    EXPECT_TRUE(again.started);
    EXPECT_EQ(again.end, RunEnd::Completed);
    EXPECT_EQ(deliveredTo(), (QStringList{"gone@x.test", "later@x.test"}));
    ASSERT_EQ(sink->messages().size(), 2);
    EXPECT_TRUE(sink->messages()[0].bytes.contains("Subject: News"));
    EXPECT_EQ(again.tally.accepted, 2);
    EXPECT_EQ(table->tally().refused, 2);  // the first run's table tells what happened to it

    QList<SendLogRecord> records = SendLogTable(db.connection()).all();
    ASSERT_EQ(records.size(), 2);
    std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.Index < b.Index; });
    EXPECT_EQ(records[0].RecipientCount, 3);
    EXPECT_EQ(records[1].RecipientCount, 2);
    EXPECT_EQ(records[1].Subject, "News");
    EXPECT_NE(records[1].sendListNumber, records[0].sendListNumber);
    EXPECT_FALSE(records[1].runOpen);
}

TEST_F(SendRun, StaggerPausesComeBeforeEveryMessageButTheFirstAndACancelInOneStillSendsThatMessage)
{
    start();
    fill({"a@x.test", "b@x.test", "c@x.test", "d@x.test"});
    RunOptions options;
    options.staggerDelay = 5;
    pause.answers = {StaggerPause::Result::Continue, StaggerPause::Result::Cancel};
    const RunResult cancelled = run(options);
    EXPECT_EQ(cancelled.end, RunEnd::Cancelled);
    EXPECT_EQ(pause.waited, (QList<int>{6000, 6000}));
    EXPECT_EQ(deliveredTo(), (QStringList{"a@x.test", "b@x.test", "c@x.test"}));
    EXPECT_EQ(rowStates(), (QStringList{"a@x.test Accepted", "b@x.test Accepted", "c@x.test Accepted",
                                        "d@x.test Cancelled"}));

    // Going on later sends only what the cancel left.
    pause.waited.clear();
    EXPECT_EQ(run(options).end, RunEnd::Completed);
    EXPECT_EQ(deliveredTo(), (QStringList{"a@x.test", "b@x.test", "c@x.test", "d@x.test"}));
    EXPECT_TRUE(pause.waited.isEmpty());
}

TEST_F(SendRun, AServerLostMidRunStopsItResumablyWithTheRestWaiting)
{
    start();
    fill({"a@x.test", "b@x.test", "c@x.test"});
    RunOptions options;
    options.staggerDelay = 1;
    pause.during = [this] { sink->stop(); };
    const RunResult lost = run(options);
    EXPECT_EQ(lost.end, RunEnd::Interrupted);
    EXPECT_EQ(rowStates(), (QStringList{"a@x.test Accepted", "b@x.test Waiting", "c@x.test Waiting"}));
}

TEST_F(SendRun, ALimitSendsToTheNextUnmarkedRowsInAddressOrder)
{
    start();
    QStringList list = addresses(200);
    std::reverse(list.begin(), list.end());  // added in the reverse of address order
    fill(list);
    table->setOutcome(addresses(60), SendOutcome::of(SendState::Accepted));
    RunOptions options;
    options.limit = 100;
    EXPECT_EQ(run(options).handled, 100);
    EXPECT_EQ(deliveredTo(), addresses(160).mid(60));
    EXPECT_EQ(table->unsentCount(), 40);
}

TEST_F(SendRun, AServerThatCannotBeReachedSendsNothingAndSaysSo)
{
    start();
    fill({"a@x.test"});
    sink->stop();
    const RunResult result = run({});
    EXPECT_EQ(result.end, RunEnd::NotConnected);
    EXPECT_TRUE(ui.texts().constLast().startsWith("An error was encountered connecting to your SMTP Server: \r\n\r\n"));
    EXPECT_EQ(rowStates(), QStringList{"a@x.test Waiting"});
}

TEST_F(SendRun, TypedAddressesSkipTheInvalidOnesNameRejectsTxtAndAreLoggedAsManuallyEntered)
{
    start();
    settings.EmailMethod = 3;
    SendDialogRun dialog({db.connection(), dir.path() + "/", settings, *mailSend, ui, pause}, *table);
    RecipientSelection typed;
    typed.kind = RecipientChoice::Custom;
    typed.customLines = {"Ann <ann@x.test>", "not an address", "bob@x.test", "two@@x.test"};
    typed.ignoreInvalid = true;
    SendLogRecord record;
    record.Subject = "Typed";
    record.Body = "Plain";
    ASSERT_TRUE(dialog.sendNow({"Typed", "Plain", {}, false, {}, false}, record, {}, typed));
    EXPECT_EQ(deliveredTo(), (QStringList{"ann@x.test", "bob@x.test"}));
    const QString rejects = dir.path() + "/Rejects.txt";
    EXPECT_EQ(ui.texts().constLast().toStdString(),
              ("Your e-mails to 2 recipients have been sent via your ISP's SMTP server.\r\n\r\n2 of the specified "
               "addresses were rejected as invalid.  The list of invalid files has been saved to " + rejects +
               ".\r\n\r\nA log file has been saved to " + dir.path() + "/SendLog.txt.")
                  .toStdString());
    QFile saved(rejects);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "not an address\r\ntwo@@x.test\r\n");
    const QList<SendLogRecord> log = SendLogTable(db.connection()).all();
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0].Recipients, "Manually Entered Contacts");
    EXPECT_TRUE(log[0].RecipientString.isEmpty());
    EXPECT_EQ(log[0].RecipientCount, 2);
    EXPECT_FALSE(log[0].runOpen);

    // A test message whose address question is left empty sends nothing.
    ui.input(QString());
    dialog.SendTestClick({"Typed", "Plain", {}, false, {}, false}, {});
    EXPECT_EQ(sink->messages().size(), 2);
}

TEST_F(SendRun, ACancelledMailingIsOfferedAtTheNextStartAndResumedOnlyOnYes)
{
    start();
    fill({"a@x.test", "b@x.test", "c@x.test"});
    MailingRun mailing(db.connection(), dir.path() + "/", settings, *mailSend, ui, pause);
    SendLogRecord record;
    record.Subject = "News";
    const qint64 logIndex = mailing.SaveEmailToSendLog(record, *table);
    RunOptions options;
    options.staggerDelay = 1;
    pause.answers = {StaggerPause::Result::Cancel};
    EXPECT_EQ(mailing.send(*table, logIndex, {"News", "Plain", {}, false, {}, false}, options).end,
              RunEnd::Cancelled);
    table->FreeSendMailTable(false);

    const QString question = QString("A mailing to 3 recipients was interrupted on %1. Do you want to resume it now?")
                                 .arg(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    ui.answer(Ui::Answer::No);
    EXPECT_FALSE(mailing.offerResume());
    EXPECT_EQ(ui.texts().constLast().toStdString(), question.toStdString());
    EXPECT_EQ(deliveredTo(), (QStringList{"a@x.test", "b@x.test"}));

    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(mailing.offerResume());
    EXPECT_EQ(deliveredTo(), (QStringList{"a@x.test", "b@x.test", "c@x.test"}));
    EXPECT_TRUE(ui.texts().constLast().endsWith("accepted 3, refused 0, uncertain 0, not sent 0."))
        << ui.texts().constLast().toStdString();
    EXPECT_FALSE(mailing.interrupted());
}

TEST_F(SendRun, A2500RecipientScheduleGoesOutIn1000And1000And500WithoutAnyoneTwice)
{
    start();
    settings.MessageRecipientCount = 250;
    fill(addresses(2500));
    ScheduleRow row;
    row.BatchName = "Spring";
    row.Subject = "Spring news";
    row.Body = "Plain";
    row.SendType = 3;
    row.SendCount = 1000;
    row.Frequency = 120;
    row.RecipientTotal = 2500;
    row.NextSend = QDateTime::currentDateTime();
    row.SendTableFile = table->fileName();
    table->FreeSendMailTable(false);
    ScheduleTable schedules(db.connection());
    const int index = schedules.append(row);
    const ScheduleServices services{db.connection(), dir.path() + "/", settings, *mailSend, ui, pause};
    QList<int> sentSoFar;
    for (int batch = 0; batch < 3; ++batch) {
        const QDateTime now = QDateTime::currentDateTime();
        ASSERT_TRUE(SendScheduledMessage(services, schedules, index, now));
        const ScheduleRow after = *schedules.read(index);
        sentSoFar << after.RecipientSent;
        if (batch < 2) {
            EXPECT_EQ(after.Status, ScheduleStatus::Processing);
            EXPECT_LE(std::abs(after.NextSend.secsTo(now.addSecs(120 * 60))), 1);  // kept to the second
        } else {
            EXPECT_EQ(after.Status, ScheduleStatus::Completed);
        }
    }
    EXPECT_EQ(sentSoFar, (QList<int>{1000, 2000, 2500}));
    EXPECT_EQ(deliveredTo(), addresses(2500));  // once each, in address order
}

TEST(ClockPauseTest, APauseLastsItsSecondsAndOneMore)
{
    int waited = 0;
    ClockPause pause([&](int ms) { waited += ms; });
    EXPECT_EQ(pause.pause(5), StaggerPause::Result::Continue);
    EXPECT_EQ(waited, 6000);
}

}  // namespace
