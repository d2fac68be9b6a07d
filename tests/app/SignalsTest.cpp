#include "ChildProgram.h"
#include "app/TerminationSignals.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// True once the process catches SIGTERM, read from its signal mask in /proc: from
// then on a signal is the program's to handle, not the default's to end it.
bool catchesTermination(qint64 pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// The desktop program on a scratch home, offscreen; killed if a test leaves it running.
struct Desktop {
    QProcess process;
    ~Desktop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // Starts it, waits until it handles SIGTERM and its first message box has had
    // time to come up, and sends SIGTERM once.
    void startAndTerminate(const QString& home)
    {
        process.setProcessEnvironment(scratchEnvironment(home));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(builtProgram("corvanel"), {});
        ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
        for (int i = 0; i < 200 && !catchesTermination(process.processId()); ++i)
            QThread::msleep(50);
        ASSERT_TRUE(catchesTermination(process.processId()));
        QThread::msleep(1500);
        ASSERT_EQ(::kill(pid_t(process.processId()), SIGTERM), 0);
    }

    void expectEndedOnItsOwn()
    {
        EXPECT_TRUE(process.waitForFinished(10000)) << "still running after SIGTERM";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }
};

int runCli(const QString& home, const QStringList& arguments)
{
    QProcess cli;
    cli.setProcessEnvironment(scratchEnvironment(home));
    cli.start(builtProgram("corvanel-cli"), arguments);
    return cli.waitForFinished() ? cli.exitCode() : -1;
}

}  // namespace

TEST(Signals, SigtermClosesEveryMessageBoxSavesAndExits)
{
    // A message box over the main window ("Error encountered loading user settings…"
    // for a settings file that is a folder) and another at the close (the settings
    // cannot be saved): the database state and the recent list are still saved.
    QTemporaryDir over;
    ASSERT_EQ(runCli(over.path(), {"--yes", "info"}), 0);
    const QString config = over.filePath("Config/");
    const QString database = over.filePath("DB/");
    ASSERT_TRUE(QFile::remove(database + "Cats.txt"));
    ASSERT_TRUE(QFile::remove(config + "recent.txt"));
    QFile::remove(config + "Settings.ini");
    ASSERT_TRUE(QDir().mkpath(config + "Settings.ini"));
    {
        Desktop desktop;
        desktop.startAndTerminate(over.path());
        desktop.expectEndedOnItsOwn();
    }
    EXPECT_TRUE(QFile::exists(database + "Cats.txt"));
    EXPECT_TRUE(readTestFile(config + "recent.txt").contains(database.toUtf8()));

    // A question before the main window exists (a home without a database): the
    // user's settings are not written over with defaults.
    QTemporaryDir before;
    ASSERT_TRUE(QDir().mkpath(before.filePath("Config")));
    writeTestFile(before.filePath("Config/Settings.ini"), "[Settings]\nSMTPPort=2525\n");
    writeTestFile(before.filePath("Config/Except.txt"), "except@example.test\n");
    {
        Desktop desktop;
        desktop.startAndTerminate(before.path());
        desktop.expectEndedOnItsOwn();
    }
    EXPECT_TRUE(readTestFile(before.filePath("Config/Settings.ini")).contains("SMTPPort=2525\n"));
    EXPECT_EQ(readTestFile(before.filePath("Config/Except.txt")), "except@example.test\n");
}

TEST(Signals, ATerminationSignalLeavesErrnoAsItWas)
{
    TerminationSignals handler;
    // Each signal queues a byte for the main loop, which is not running here:
    // the queue fills and the handler's writes start to fail.
    for (int i = 0; i < 100000; ++i) {
        errno = ENOENT;
        ASSERT_EQ(std::raise(SIGTERM), 0);
        ASSERT_EQ(errno, ENOENT) << "changed by signal " << i;
    }
}
