#include "ChildProgram.h"
#include "mailings/SendRunLock.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "support/ChildRun.h"
#include "support/EntryRows.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"
#include "support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kEntries = 1500;

// corvanel-cli send-run as real processes against a real SMTP server on loopback.
class CliSendRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
        ASSERT_TRUE(sink.started());
        writeTestFile(home.filePath("Config/Settings.ini"),
                      QStringLiteral("[Settings]\nEmailMethod=3\nMessageRecipientCount=1\n[Servers]\n"
                                     "SMTPHost=127.0.0.1\nSMTPPort=%1\nSMTPSecurity=None\nSMTPEmail=news@lists.test\n")
                          .arg(sink.account().port)
                          .toUtf8());
        ASSERT_TRUE(QDir().mkpath(home.filePath("DB")));
        Database::createMissingTables(home.filePath("DB/"), TableScope::All);
        addEntries(home.filePath("DB/"), kEntries);
        writeTestFile(home.filePath("body.txt"), "Dear %FULL_NAME%,\nthe news.\n");
    }

    QStringList sendRun() const
    {
        return {"--yes", "send-run", "--subject", "News for %FIRST_NAME%", "--body-file", home.filePath("body.txt")};
    }

    ChildRun run(const QStringList& arguments) const
    {
        return runChild(builtProgram("corvanel-cli"), arguments, scratchEnvironment(home.path()));
    }

    QHash<QString, int> timesSent() const
    {
        QHash<QString, int> times;
        for (const SinkMessage& m : sink.messages())
            for (const QString& r : m.recipients)
                ++times[r.toLower()];
        return times;
    }

    QTemporaryDir home;
    SmtpSink sink;
};

int uncertainIn(const QString& out)
{
    const QRegularExpression tally(QStringLiteral("recipients: accepted (\\d+), refused 0, uncertain (\\d+), not sent 0"));
    const auto match = tally.match(out);
    EXPECT_TRUE(match.hasMatch()) << out.toStdString();
    EXPECT_EQ(match.captured(1).toInt() + match.captured(2).toInt(), kEntries) << out.toStdString();
    return match.captured(2).toInt();
}

// A run killed while it sends and then resumed sends every recipient at most once
// and skips none but the one whose message was in flight, which it reports.
TEST_F(CliSendRunTest, AKilledRunResumedSendsNobodyTwiceAndSkipsNobodyButTheOneInFlight)
{
    QProcess first;
    first.setProcessEnvironment(scratchEnvironment(home.path()));
    first.start(builtProgram("corvanel-cli"), sendRun());
    ASSERT_TRUE(first.waitForStarted());
    QDeadlineTimer deadline(60000);
    while (sink.messages().size() < 200 && !deadline.hasExpired() && first.state() == QProcess::Running)
        QThread::msleep(20);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));
    const qsizetype beforeResume = sink.messages().size();
    EXPECT_LT(beforeResume, kEntries);

    const ChildRun resumed = run({"send-run", "--resume"});
    EXPECT_EQ(resumed.exitCode, 0) << resumed.out.toStdString() << resumed.err.toStdString();
    const int uncertain = uncertainIn(resumed.out);
    EXPECT_LE(uncertain, 1);
    const QHash<QString, int> times = timesSent();
    for (auto it = times.cbegin(); it != times.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    EXPECT_GE(times.size(), kEntries - uncertain);
    EXPECT_LE(times.size(), kEntries);

    const ChildRun again = run({"send-run", "--resume"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("There is no interrupted mailing to resume.")) << again.err.toStdString();
}

TEST_F(CliSendRunTest, ASigtermStopsTheRunResumablyAndASecondCopyIsTurnedAway)
{
    {
        SendRunLock other(home.filePath("DB"));
        ScriptedUi ui;
        ASSERT_TRUE(other.acquire(ui));
        const ChildRun refused = run(sendRun());
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE((refused.out + refused.err).contains("Another copy of Corvanel is sending to this list."))
            << refused.err.toStdString();
        EXPECT_TRUE(sink.messages().isEmpty());
    }
    QProcess first;
    first.setProcessEnvironment(scratchEnvironment(home.path()));
    first.start(builtProgram("corvanel-cli"), sendRun());
    ASSERT_TRUE(first.waitForStarted());
    QDeadlineTimer deadline(60000);
    while (sink.messages().size() < 100 && !deadline.hasExpired() && first.state() == QProcess::Running)
        QThread::msleep(20);
    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitCode(), 1) << first.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(first.readAllStandardOutput()).contains(QRegularExpression("not sent [1-9]")));

    const ChildRun resumed = run({"send-run", "--resume"});
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
    EXPECT_EQ(uncertainIn(resumed.out), 0);  // a stop on request leaves nothing in doubt
    EXPECT_EQ(timesSent().size(), kEntries);
}

// A custom-HTML message sent to one group and resent from the log goes out with
// the same HTML to the same group, without the attachment deleted since.
TEST_F(CliSendRunTest, AResentHtmlMessageGoesToTheSameGroupWithTheSameHtml)
{
    {
        Database db;
        db.setFolder(home.filePath("DB/"), false, false);
        db.openTable(TableId::Entries);
        db.connection().exec("INSERT INTO mailist (Item, Name, Category) VALUES ('ann@press.test', 'Ann', 'Press'), "
                             "('bob@press.test', 'Bob', 'Press')");
    }
    const QString html = "<html><body><p>Hello <b>%FULL_NAME%</b></p><img src=\"cid:logo\"></body></html>";
    writeTestFile(home.filePath("body.html"), html.toUtf8());
    writeTestFile(home.filePath("price list.txt"), "prices");
    const ChildRun sent = run({"--yes", "send-run", "--subject", "Press news", "--html", "--body-file",
                               home.filePath("body.html"), "--group", "Press", "--attach",
                               home.filePath("price list.txt")});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    ASSERT_EQ(sink.messages().size(), 2);
    EXPECT_TRUE(sink.messages()[0].bytes.contains("price list.txt"));

    const ChildRun log = run({"send-log"});
    ASSERT_TRUE(log.out.startsWith("1\t")) << log.out.toStdString();
    EXPECT_TRUE(log.out.contains("\t2\t")) << log.out.toStdString();

    ASSERT_TRUE(QFile::remove(home.filePath("price list.txt")));
    const ChildRun declined = run({"resend", "1"});  // the missing file's question answered No
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_TRUE((declined.out + declined.err).contains("cannot be located.  Do you still want to send this message?"));
    EXPECT_EQ(sink.messages().size(), 2);
    const ChildRun resent = run({"--yes", "resend", "1"});
    ASSERT_EQ(resent.exitCode, 0) << resent.err.toStdString() << resent.out.toStdString();
    const QList<SinkMessage> taken = sink.messages();
    ASSERT_EQ(taken.size(), 4);
    EXPECT_EQ(taken[2].recipients + taken[3].recipients, (QStringList{"ann@press.test", "bob@press.test"}));
    EXPECT_TRUE(taken[2].bytes.contains("Hello <b>Ann</b>")) << taken[2].bytes.constData();
    EXPECT_FALSE(taken[2].bytes.contains("price list.txt"));
    EXPECT_TRUE(run({"send-log"}).out.startsWith("2\t"));
}

}  // namespace
