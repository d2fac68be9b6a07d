#include "ChildProgram.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "support/ChildRun.h"
#include "support/MaildirDrop.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kSubscribers = 400;
constexpr int kLeavers = 100;  // the first ones, who later unsubscribe
constexpr int kKills = 20;

QString person(int i) { return QString("p%1@x.test").arg(i, 3, 10, QChar('0')); }

void writeSettings(const QString& home)
{
    writeTestFile(home + "/Config/Settings.ini", "[Settings]\n"
                                                 "MailingListFolder=Local Folders//Inbox\n"
                                                 "RetrieveMethod=0\n"
                                                 "EmailSoftware=1\n"
                                                 "AfterProcess=Delete\n"
                                                 "SubAcknowledgement=true\n"
                                                 "UnsubAcknowledgement=true\n");
}

QStringList column(SqliteConnection& db, const QString& sql)
{
    QStringList values;
    Statement read(db, sql);
    while (read.step())
        values << read.text(0);
    return values;
}

}  // namespace

// A check killed at any moment and run again acts on every request exactly once:
// no request is lost, none changes the list, the statistics or the outbox twice.
TEST(CheckCrash, AKilledCheckRunAgainActsOnEveryRequestExactlyOnce)
{
    QTemporaryDir home;
    writeSettings(home.path());
    ASSERT_TRUE(QDir().mkpath(home.path() + "/DB"));
    Database::createMissingTables(home.path() + "/DB/", TableScope::All);
    MaildirDrop inbox(home.path() + "/Mail/Inbox");
    QList<QByteArray> requests;
    for (int i = 0; i < kSubscribers; ++i)
        requests << requestMessage(person(i), "subscribe");
    for (int i = 0; i < kLeavers; ++i)
        requests << requestMessage(person(i), "unsubscribe");

    // New requests keep arriving, so every kill finds work in flight: a check of a
    // few dozen messages takes some tens of milliseconds here.
    const int perRound = int(requests.size()) / kKills;
    int killedMidway = 0;
    for (int round = 0; round < kKills; ++round) {
        for (int i = round * perRound; i < (round + 1) * perRound; ++i)
            inbox.deliver(requests[i]);
        QProcess check;
        check.setProcessEnvironment(scratchEnvironment(home.path()));
        check.start(builtProgram("corvanel-cli"), {"check"});
        ASSERT_TRUE(check.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(60));
        if (check.state() == QProcess::Running) {
            ::kill(pid_t(check.processId()), SIGKILL);
            ++killedMidway;
        }
        ASSERT_TRUE(check.waitForFinished(60000));
    }
    ChildRun last = runChild(builtProgram("corvanel-cli"), {"check"}, scratchEnvironment(home.path()));
    EXPECT_EQ(last.exitCode, 0) << last.out.toStdString() << last.err.toStdString();
    EXPECT_TRUE(inbox.files().isEmpty());
    EXPECT_GT(killedMidway, 0);

    SqliteConnection list(home.path() + "/DB/mailist.dat", false);
    QStringList expected;
    for (int i = kLeavers; i < kSubscribers; ++i)
        expected << person(i);
    EXPECT_EQ(column(list, "SELECT Item FROM mailist ORDER BY Item"), expected);
    EXPECT_EQ(column(list, "SELECT Kind || ' ' || count(*) || ' ' || count(DISTINCT Recipient) FROM Outbox "
                           "GROUP BY Kind ORDER BY Kind"),
              (QStringList{"SubAck 400 400", "UnsubAck 100 100"}));
    EXPECT_EQ(column(list, "PRAGMA integrity_check"), QStringList{"ok"});
    SqliteConnection statistics(home.path() + "/DB/mailstat.dat", false);
    EXPECT_EQ(column(statistics, "SELECT sum(Subscribes) || ' ' || sum(Unsubscribes) FROM mailstat"),
              QStringList{"400 100"});
}
