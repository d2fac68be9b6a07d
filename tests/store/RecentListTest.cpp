#include "store/DBInfo.h"
#include "store/RecentList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RecentListTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;

    // A folder under the temporary one, ending in "/"; with a database file when asked.
    QString folder(const QString& name, bool withDatabase = false)
    {
        const QString path = tmp.path() + "/" + name + "/";
        QDir().mkpath(path);
        if (withDatabase) {
            QFile f(path + "mailist.dat");
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return path;
    }
};

TEST_F(RecentListTest, SameFolderTwiceKeepsOneEntryAtTheTop)
{
    RecentList recent;
    recent.AddPathToRecent("/data/One/");
    recent.AddPathToRecent("/data/Two/");
    recent.AddPathToRecent("/DATA/one/");
    EXPECT_EQ(recent.folders(), (QStringList{"/DATA/one/", "/data/Two/"}));

    recent.AddPathToRecent("");
    EXPECT_EQ(recent.folders().size(), 2);
}

TEST_F(RecentListTest, EleventhFolderPushesTheOldestOut)
{
    RecentList recent;
    for (int i = 1; i <= 11; ++i)
        recent.AddPathToRecent(QString("/lists/%1/").arg(i));
    ASSERT_EQ(recent.folders().size(), RecentList::kMaxEntries);
    EXPECT_EQ(recent.folders().first(), "/lists/11/");
    EXPECT_EQ(recent.folders().last(), "/lists/2/");
    EXPECT_FALSE(recent.folders().contains("/lists/1/"));

    // Moving an existing entry up does not drop anything.
    recent.AddPathToRecent("/lists/5/");
    EXPECT_EQ(recent.folders().size(), RecentList::kMaxEntries);
    EXPECT_EQ(recent.folders().first(), "/lists/5/");
    EXPECT_EQ(recent.folders().last(), "/lists/2/");
}

TEST_F(RecentListTest, PruneDropsFoldersWithoutDatabaseAndOnlyWhenAsked)
{
    RecentList recent;
    const QString gone = folder("gone");
    const QString kept = folder("kept", true);
    recent.AddPathToRecent(kept);
    recent.AddPathToRecent(gone);

    EXPECT_EQ(recent.UpdateRecentList(false).size(), 2);
    const auto items = recent.UpdateRecentList(true);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first().folder, kept);
    EXPECT_EQ(recent.folders(), QStringList{kept});
}

TEST_F(RecentListTest, CaptionsNameTheDatabaseWhenItHasAName)
{
    const QString named = folder("named", true);
    const QString plain = folder("plain", true);
    DBInfo info;
    info.DatabaseName = "Club News";
    ASSERT_TRUE(info.write(named));

    RecentList recent;
    QList<RecentList::MenuItem> rebuilt;
    recent.menuRebuilt = [&](const QList<RecentList::MenuItem>& items) { rebuilt = items; };
    recent.AddPathToRecent(plain);
    EXPECT_EQ(rebuilt.size(), 1);
    EXPECT_FALSE(RecentList::menuEnabled(rebuilt));

    recent.AddPathToRecent(named);
    ASSERT_EQ(rebuilt.size(), 2);
    EXPECT_EQ(rebuilt[0].caption, "Club News (" + named + ")");
    EXPECT_EQ(rebuilt[0].folder, named);
    EXPECT_EQ(rebuilt[1].caption, plain);
    EXPECT_TRUE(RecentList::menuEnabled(rebuilt));
}

TEST_F(RecentListTest, SavedListLoadsBackInOrder)
{
    RecentList recent;
    recent.AddPathToRecent("/b/");
    recent.AddPathToRecent("/a/");
    const QString file = tmp.path() + "/recent.txt";
    ASSERT_TRUE(recent.save(file));

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("\n   \n");
    f.close();

    RecentList loaded;
    loaded.load(file);
    EXPECT_EQ(loaded.folders(), (QStringList{"/a/", "/b/"}));

    loaded.load(tmp.path() + "/missing.txt");
    EXPECT_TRUE(loaded.folders().isEmpty());
}

}  // namespace
