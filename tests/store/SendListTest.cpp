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
    }, true);
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

}  // namespace
