#include "store/Database.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SendListRow row(const QString& item, const QString& name = {})
{
    SendListRow r;
    r.Item = item;
    r.Name = name;
    return r;
}

void touch(const QString& file)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(SendListTest, NamesTheFirstFreeFile)
{
    QTemporaryDir dir;
    EXPECT_EQ(SendListTable::uniqueFileName(dir.path()), QStringLiteral("SendMail.dat"));
    touch(dir.path() + QStringLiteral("/SendMail.dat"));
    EXPECT_EQ(SendListTable::uniqueFileName(dir.path()), QStringLiteral("SendMail_2.dat"));
    touch(dir.path() + QStringLiteral("/sendmail_2.DAT"));
    EXPECT_EQ(SendListTable::uniqueFileName(dir.path()), QStringLiteral("SendMail_3.dat"));
}

TEST(SendListTest, KeepsAnAddressOnceWhateverItsCase)
{
    QTemporaryDir dir;
    SqliteConnection connection;
    ScriptedUi ui;
    SendListTable list(connection, dir.path());
    ASSERT_TRUE(list.CreateSendMailTable(ui));
    EXPECT_EQ(list.fileName(), QStringLiteral("SendMail.dat"));
    EXPECT_TRUE(list.insertOrIgnore(row(QStringLiteral("zoë@x"), QStringLiteral("Zoë"))));
    EXPECT_FALSE(list.insertOrIgnore(row(QStringLiteral("ZOË@X"), QStringLiteral("Other"))));
    EXPECT_TRUE(list.insertOrIgnore(row(QStringLiteral("b@x"))));
    list.markSent(QStringLiteral("ZOË@x"));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.unsentCount(), 1);
    QStringList unsent;
    list.walk([&](const SendListRow& r) {
        unsent << r.Item;
        return true;
    }, SendListTable::Rows::UnsentPending);
    EXPECT_EQ(unsent, QStringList{"b@x"});
    list.FreeSendMailTable(false);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/SendMail.dat")));

    // A schedule resuming reopens its list by name.
    ASSERT_TRUE(list.CreateSendMailTable(ui, QStringLiteral("SendMail.dat")));
    EXPECT_EQ(list.unsentCount(), 1);
    list.FreeSendMailTable(true);
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/SendMail.dat")));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST(SendListTest, AFailureIsReportedToThePerson)
{
    QTemporaryDir dir;
    SqliteConnection connection;
    ScriptedUi ui;
    SendListTable list(connection, dir.path());
    EXPECT_FALSE(list.CreateSendMailTable(ui, QStringLiteral("SendMail_9.dat")));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.startsWith(QStringLiteral("An error was encountered creating your temporary tables: ")));
    EXPECT_FALSE(list.isOpen());
}

TEST(SendListTest, IsFilledFromTheEntriesOnTheSameConnection)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    Database::createMissingTables(dir.path(), TableScope::All);
    Database db;
    db.setFolder(dir.path(), false, false);
    db.openTable(TableId::Entries);
    db.connection().exec(QStringLiteral("INSERT INTO mailist (Item, Category) VALUES ('m@x', 'one'), ('M@X', 'two')"));
    SendListTable list(db.connection(), dir.path());
    ASSERT_TRUE(list.CreateSendMailTable(ui));
    db.connection().exec(QStringLiteral("INSERT OR IGNORE INTO %1 (Item) SELECT Item FROM mailist").arg(list.sqlName()));
    EXPECT_EQ(list.count(), 1);
}

QStringList outcomes(const SendListTable& list)
{
    QStringList seen;
    list.walk([&](const SendListRow& r) {
        seen << r.Item + '=' + r.outcome.display() + (r.Sent ? "/sent" : "");
        return true;
    });
    return seen;
}

TEST(SendListTest, ATableFromBeforeOutcomesIsUpgradedAndKeepsWhatItSent)
{
    QTemporaryDir dir;
    {
        SqliteConnection old;
        old.attach(dir.path() + QStringLiteral("/SendMail_4.dat"), QStringLiteral("old"), true);
        old.exec(QStringLiteral("CREATE TABLE old.sendlist (Item VARCHAR(80), Name VARCHAR(50), Salutation VARCHAR(25), "
                                "Surname VARCHAR(25), Company VARCHAR(50), Sent BOOLEAN)"));
        old.exec(QStringLiteral("INSERT INTO old.sendlist VALUES ('b@x', '', '', '', '', 1), ('a@x', '', '', '', '', 0)"));
    }
    SqliteConnection connection;
    ScriptedUi ui;
    SendListTable list(connection, dir.path());
    ASSERT_TRUE(list.CreateSendMailTable(ui, QStringLiteral("SendMail_4.dat")));
    EXPECT_EQ(outcomes(list), (QStringList{"a@x=Waiting", "b@x=Accepted/sent"}));
    EXPECT_EQ(SendListTable::numberOf(list.fileName()), 4);
}

TEST(SendListTest, AStopLeavesNothingInFlightAndTrustsReservationsOnlyWhenTheWritesSurvived)
{
    for (const bool survived : {true, false}) {
        QTemporaryDir dir;
        SqliteConnection connection;
        ScriptedUi ui;
        SendListTable list(connection, dir.path());
        ASSERT_TRUE(list.CreateSendMailTable(ui));
        for (const char* item : {"d@x", "c@x", "b@x", "a@x"})
            list.insertOrIgnore(row(QString::fromLatin1(item)));
        list.setOutcome({"a@x"}, SendOutcome::of(SendState::Accepted));
        list.setOutcome({"b@x"}, SendOutcome::refused(451, "try later"));
        list.setOutcome({"c@x"}, SendOutcome::of(SendState::InFlight));
        list.setOutcome({"d@x"}, SendOutcome::of(SendState::Reserved));
        list.settleAfterStop(survived);
        EXPECT_EQ(outcomes(list), (QStringList{"a@x=Accepted/sent", "b@x=Refused for now (451 try later)/sent",
                                               "c@x=Uncertain/sent",
                                               survived ? "d@x=Waiting" : "d@x=Uncertain/sent"}));
        const SendListTally tally = list.tally();
        EXPECT_EQ(tally.notSent, survived ? 1 : 0);
        EXPECT_EQ(tally.uncertain, survived ? 1 : 2);
        QStringList resend;
        list.walk([&](const SendListRow& r) { return resend << r.Item, true; }, SendListTable::Rows::NotAccepted);
        EXPECT_EQ(resend, survived ? QStringList({"b@x", "d@x"}) : QStringList{"b@x"});
    }
}

}  // namespace
