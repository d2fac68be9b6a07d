#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/FormatUpgrade.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kV11Question = QStringLiteral(
    "CVN will now check that your database has all the required fields for v1.1 compatiblity and will add "
    "any fields that are required.\n\nThis could cause all of the contents of your mailing list database to "
    "be lost.  Are you sure you want to continue?\n\nIf you have not backed up your database then click 'No'!");
const QString kV40Question = QStringLiteral(
    "CVN will now check that your database has all the required fields for v4.0 compatiblity and will add "
    "any fields that are required.\n\nThere is the possibility that this process could corrupt your "
    "database.  Are you sure you want to continue?\n\nIf you have not backed up your database then click 'No'!");
const QString kWait = QStringLiteral(
    "This process may take several minutes on a large database, during which you will see nothing in the "
    "taskbar.  Please wait until you are advised that the process is complete!  Do not run Corvanel again!");
const QString kV20Failed =
    QStringLiteral("Upgrade to v2.0 was not completed.  Your database may already be in v2.0 format.");
const QString kV40Failed = QStringLiteral(
    "Upgrade to v4.0 was not completed.  It is now recommended that you do an Optimize and Repair using "
    "Edit|Other|Optimize Database.");

class UpgradeTest : public ::testing::Test {
protected:
    void SetUp() override { folder = dir.path() + '/'; }

    void makeTable(const QString& file, const QString& create, const QStringList& inserts)
    {
        SqliteConnection c(folder + file);
        c.exec(create);
        for (const QString& insert : inserts)
            c.exec(insert);
    }

    void makeV10()
    {
        makeTable(QStringLiteral("mailist.DAT"),
                  QStringLiteral("CREATE TABLE mailist (Item VARCHAR(80), Category VARCHAR(80), Bounces INTEGER, Comments VARCHAR(80))"),
                  {QStringLiteral("INSERT INTO mailist VALUES ('one@x', 'a', 2, 'first')"),
                   QStringLiteral("INSERT INTO mailist VALUES ('two@x', 'b', 0, 'second')"),
                   QStringLiteral("INSERT INTO mailist VALUES ('three@x', 'a', 5, NULL)")});
    }

    void expectAllTablesOpen()
    {
        db.setFolder(folder, false, false);
        for (TableId t : kOpenOrder)
            EXPECT_NO_THROW(db.openTable(t)) << Database::displayName(t).toStdString();
    }

    QTemporaryDir dir;
    QString folder;
    ScriptedUi ui;
    Database db;
};

TEST_F(UpgradeTest, TheOldestLayoutGoesThroughEveryStepKeepingItsRows)
{
    makeV10();
    ui.answer(Ui::Answer::Yes);  // v1.1
    ui.answer(Ui::Answer::Yes);  // v2.0
    ui.answer(Ui::Answer::Yes);  // v4.0
    ui.answer(Ui::Answer::Ok);   // v4.0 wait box
    upgradeOldDatabase(folder, ui);
    EXPECT_EQ(ui.texts(), (QStringList{kV11Question, kWait, QStringLiteral("Table Upgraded to v1.1!"),
                                       ui.texts().value(3), kWait, QStringLiteral("Table Upgraded!"), kV40Question,
                                       kWait, QStringLiteral("Table Upgraded!")}));
    EXPECT_TRUE(ui.texts().value(3).contains(QStringLiteral("v2.0 compatiblity")));
    expectAllTablesOpen();
    const auto one = db.entries().locate(QStringLiteral("ONE@x"));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Index, 1);
    EXPECT_EQ(one->Bounces, 2);
    EXPECT_EQ(one->Comments, QStringLiteral("first"));
    EXPECT_TRUE(one->SendRights);
    EXPECT_EQ(db.entries().locate(QStringLiteral("three@x"))->Index, 3);
    EXPECT_EQ(db.entries().count(), 3);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(UpgradeTest, AVersionTwoFolderIsOfferedOnlyTheLastStep)
{
    makeTable(QStringLiteral("mailist.dat"),
              QStringLiteral("CREATE TABLE mailist (\"Index\" INTEGER PRIMARY KEY AUTOINCREMENT, Item TEXT, Category TEXT, "
                             "Bounces INTEGER, Comments TEXT, Name TEXT, Salutation TEXT, SendRights BOOLEAN)"),
              {QStringLiteral("INSERT INTO mailist VALUES (7, 'n@x', 'g', 1, 'c', 'Nora Lee', 'Nora', 0)")});
    makeTable(QStringLiteral("mailstat.dat"),
              QStringLiteral("CREATE TABLE mailstat (Date TEXT, Subscribes INTEGER, Unsubscribes INTEGER, Bounces INTEGER, Notes TEXT)"),
              {QStringLiteral("INSERT INTO mailstat VALUES ('2026-01-02', 3, 1, 0, NULL)")});
    ui.answer(Ui::Answer::Yes);
    ui.answer(Ui::Answer::Ok);
    upgradeOldDatabase(folder, ui);
    EXPECT_EQ(ui.texts(), (QStringList{kV40Question, kWait, QStringLiteral("Table Upgraded!")}));
    expectAllTablesOpen();
    const auto n = db.entries().locate(QStringLiteral("n@x"));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->Index, 7);
    EXPECT_EQ(n->Salutation, QStringLiteral("Nora"));
    EXPECT_FALSE(n->SendRights);
    EXPECT_EQ(db.connection().scalar(QStringLiteral("SELECT Total FROM mailstat")).toInt(), -1);
    EXPECT_EQ(db.connection().scalar(QStringLiteral("SELECT Subscribes FROM mailstat")).toInt(), 3);
    // Fields the upgrade added take their new positions.
    EXPECT_NO_THROW(db.entries().insert(Entry{}));
}

TEST_F(UpgradeTest, EachStepReportsItsFailureAndTheNextStillRuns)
{
    makeV10();
    ui.answer(Ui::Answer::No);   // v1.1 declined
    ui.answer(Ui::Answer::Yes);  // v2.0 cannot work on the v1.0 layout
    ui.answer(Ui::Answer::Yes);  // v4.0 neither
    ui.answer(Ui::Answer::Ok);
    upgradeOldDatabase(folder, ui);
    EXPECT_TRUE(ui.sawText(kV20Failed));
    EXPECT_TRUE(ui.sawText(kV40Failed));
    EXPECT_EQ(ui.shown.last().text, kV40Failed);
    SqliteConnection c(folder + QStringLiteral("mailist.DAT"), false);
    EXPECT_EQ(c.scalar(QStringLiteral("SELECT count(*) FROM mailist")).toInt(), 3);
}

TEST_F(UpgradeTest, AFolderWithoutEntriesFailsTheLastStep)
{
    ui.answer(Ui::Answer::Yes);
    ui.answer(Ui::Answer::Ok);
    upgradeOldDatabase(folder, ui);
    EXPECT_EQ(ui.texts(), (QStringList{kV40Question, kWait, kV40Failed}));
}

TEST_F(UpgradeTest, CancellingTheWaitBoxChangesNothing)
{
    makeV10();
    ui.answer(Ui::Answer::No);  // v1.1
    ui.answer(Ui::Answer::No);  // v2.0
    ui.answer(Ui::Answer::Yes);
    ui.answer(Ui::Answer::Cancel);
    upgradeOldDatabase(folder, ui);
    EXPECT_EQ(ui.shown.last().text, kWait);
    EXPECT_FALSE(Database::exists(folder, TableId::Log));
}

}  // namespace
