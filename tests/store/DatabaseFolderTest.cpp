#include "base/Folders.h"
#include "store/DBInfo.h"
#include "store/Database.h"
#include "store/DatabaseFolder.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DatabaseFolderTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    Folders folders = Folders::forApplication(tmp.path());
};

TEST_F(DatabaseFolderTest, SymbolicFormsResolveToTheProgramFolders)
{
    const QString app = folders.application;
    const QString db = folders.defaultDatabasePath();
    EXPECT_TRUE(app.endsWith('/'));
    EXPECT_EQ(resolveDatabaseFolder("%", folders), app);
    EXPECT_EQ(resolveDatabaseFolder(" %\\ ", folders), app);
    EXPECT_EQ(resolveDatabaseFolder("\\", folders), app);
    EXPECT_EQ(resolveDatabaseFolder("", folders), db);
    EXPECT_EQ(resolveDatabaseFolder("%\\DB", folders), db);
    EXPECT_EQ(resolveDatabaseFolder("%/DB/", folders), db);
    EXPECT_EQ(resolveDatabaseFolder("\\DB\\", folders), db);
    EXPECT_EQ(resolveDatabaseFolder("  /srv/lists/news ", folders), "/srv/lists/news/");
    EXPECT_EQ(resolveDatabaseFolder("C:\\Lists\\News", folders), "C:/Lists/News/");

    EXPECT_TRUE(isSymbolicDatabaseFolder("%"));
    EXPECT_TRUE(isSymbolicDatabaseFolder("%\\DB"));
    EXPECT_TRUE(isSymbolicDatabaseFolder(""));
    EXPECT_FALSE(isSymbolicDatabaseFolder("/srv/lists/"));
}

TEST_F(DatabaseFolderTest, SettingsKeepTheSymbolicFormOfTheProgramFolders)
{
    EXPECT_EQ(symbolicDatabaseFolder(folders.application, folders), "%");
    EXPECT_EQ(symbolicDatabaseFolder(fixpath(folders.application, false), folders), "%");
    EXPECT_EQ(symbolicDatabaseFolder(folders.defaultDatabasePath(), folders), "%\\DB");
    EXPECT_EQ(symbolicDatabaseFolder("%/DB", folders), "%\\DB");
    EXPECT_EQ(symbolicDatabaseFolder("/srv/lists/news", folders), "/srv/lists/news/");
}

TEST_F(DatabaseFolderTest, DatabaseIsFoundByItsEntriesFileInAnyCase)
{
    const QString dir = folders.application + "list/";
    QDir().mkpath(dir);
    EXPECT_FALSE(databaseexistsindirectory(dir));
    QFile f(dir + "mailist.DAT");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(databaseexistsindirectory(dir));
    EXPECT_TRUE(databaseexistsindirectory(fixpath(dir, false)));
    EXPECT_FALSE(databaseexistsindirectory(""));
}

TEST_F(DatabaseFolderTest, DBInfoRoundTripAndDefaults)
{
    const QString dir = folders.application;
    EXPECT_FALSE(DBInfo::existsIn(dir));
    const DBInfo missing = DBInfo::read(dir);
    EXPECT_EQ(missing.Records, 0);
    EXPECT_TRUE(missing.DatabaseName.isEmpty());

    DBInfo info;
    info.Records = 12345;
    info.DatabaseName = "Friends = Family\nRecords=1";
    info.Groups = 4;
    ASSERT_TRUE(info.write(dir));
    EXPECT_TRUE(DBInfo::existsIn(dir));

    const DBInfo back = DBInfo::read(dir);
    EXPECT_EQ(back.Records, 12345);
    // A line break cannot smuggle a key of its own into the file.
    EXPECT_EQ(back.DatabaseName, "Friends = Family Records=1");
    EXPECT_EQ(back.Groups, 4);

    QFile f(dir + "DBInfo.ddt");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("[Information]"));
    EXPECT_TRUE(text.contains("Records=12345"));
    EXPECT_TRUE(text.contains("Groups=4"));
}

TEST_F(DatabaseFolderTest, DBInfoWrittenByAnotherToolIsRead)
{
    QFile f(folders.application + "DBInfo.ddt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[INFORMATION]\r\nrecords = 7\r\nDatabaseName=Old List\r\n");
    f.close();
    const DBInfo info = DBInfo::read(folders.application);
    EXPECT_EQ(info.Records, 7);
    EXPECT_EQ(info.DatabaseName, "Old List");
}

}  // namespace

TEST(DatabaseFolderLimitTest, SqliteOpensTheLongestNamedTableAtTheLimitAndNotOneByteBeyond)
{
    QTemporaryDir tmp;
    const QString longestName = SendListTable::numberedFileName(SendListTable::kMaxNumber);
    const auto writesTable = [&](qsizetype folderLength) {
        const QString folder = pathOfLength(tmp.path() + "/f", folderLength - 1) + '/';
        EXPECT_TRUE(QDir().mkpath(folder));
        try {
            SqliteConnection connection(folder + longestName);
            connection.exec("CREATE TABLE t (a)");
            connection.exec("INSERT INTO t VALUES (1)");
            return true;
        } catch (const StoreError&) {
            return false;
        }
    };
    EXPECT_TRUE(writesTable(Database::longestFolderPath()));
    EXPECT_FALSE(writesTable(Database::longestFolderPath() + 1));
}
