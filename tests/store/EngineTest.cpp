#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "store/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + '/';
        Database::createMissingTables(folder, TableScope::All);
        db.setFolder(folder, false, false);
        for (TableId t : kOpenOrder)
            db.openTable(t);
    }

    Entry entry(const QString& item, const QString& group = QStringLiteral("default"))
    {
        Entry e;
        e.Item = item;
        e.Category = group;
        e.Name = QStringLiteral("Name of ") + item;
        e.InsertDate = QDateTime(QDate(2026, 12, 1), QTime(10, 0));
        return e;
    }

    QTemporaryDir dir;
    QString folder;
    Database db;
};

TEST_F(EngineTest, NewDatabaseHasEveryTableAndTheDefaults)
{
    for (TableId t : kOpenOrder) {
        EXPECT_TRUE(Database::exists(folder, t));
        EXPECT_TRUE(db.isOpen(t));
    }
    db.entries().execute(QStringLiteral("INSERT INTO mailist (Item) VALUES (?)"), {QStringLiteral("a@x.test")});
    const auto row = db.entries().locate(QStringLiteral("a@x.test"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Bounces, 0);
    EXPECT_TRUE(row->SendRights);
    EXPECT_THROW(db.connection().exec(QStringLiteral("INSERT INTO mailstat (Subscribes) VALUES (1)")), StoreError);
}

TEST_F(EngineTest, CreatingMissingTablesLeavesExistingOnesAlone)
{
    db.entries().insert(entry(QStringLiteral("keep@x.test")));
    db.close();
    QFile::remove(folder + QStringLiteral("mailstat.dat"));
    Database::createMissingTables(folder, TableScope::StatisticsOnly);
    Database::createMissingTables(folder, TableScope::All);
    db.setFolder(folder, false, false);
    db.openTable(TableId::Entries);
    db.openTable(TableId::Statistics);
    EXPECT_EQ(db.entries().count(), 1);
}

TEST_F(EngineTest, TableFilesAreFoundWithoutRegardToCase)
{
    db.close();
    ASSERT_TRUE(QFile::rename(folder + QStringLiteral("mailist.dat"), folder + QStringLiteral("mailist.DAT")));
    EXPECT_TRUE(Database::exists(folder, TableId::Entries));
    EXPECT_EQ(Database::findFile(folder, QStringLiteral("MAILIST.dat")), folder + QStringLiteral("mailist.DAT"));
    db.setFolder(folder, false, false);
    EXPECT_NO_THROW(db.openTable(TableId::Entries));
    EXPECT_FALSE(Database::exists(dir.path() + QStringLiteral("/none/"), TableId::Entries));
}

TEST_F(EngineTest, LocateIgnoresLetterCaseBeyondAscii)
{
    db.entries().insert(entry(QStringLiteral("zoë@x"), QStringLiteral("Élan")));
    EXPECT_TRUE(db.entries().locate(QStringLiteral("ZOË@X")));
    EXPECT_TRUE(db.entries().locate(QStringLiteral("ZOË@X"), QStringLiteral("élan")));
    EXPECT_FALSE(db.entries().locate(QStringLiteral("ZOË@X"), QStringLiteral("other")));
    EXPECT_FALSE(db.entries().locate(QStringLiteral("zoe@x")));
    EXPECT_EQ(db.connection().scalar(QStringLiteral("SELECT uupper(?)"), {QStringLiteral("zoë straße")}).toString(),
              QStringLiteral("ZOË STRASSE"));
}

TEST_F(EngineTest, LocateAllGivesEveryGroupOfAnAddress)
{
    db.entries().insert(entry(QStringLiteral("m@x"), QStringLiteral("one")));
    db.entries().insert(entry(QStringLiteral("M@X"), QStringLiteral("two")));
    db.entries().insert(entry(QStringLiteral("other@x")));
    const QList<Entry> rows = db.entries().locateAll(QStringLiteral("m@x"), 10);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].Category, QStringLiteral("one"));
    EXPECT_EQ(db.entries().locateAll(QStringLiteral("m@x"), 1).size(), 1);
}

TEST_F(EngineTest, TextsAreCutToTheirFieldSizes)
{
    const qint64 index = db.entries().insert(entry(QString(100, 'a')));
    EXPECT_EQ(db.entries().byIndex(index)->Item.size(), 80);
    const QString recipients = QStringLiteral("Contacts excluding those from Selected Groups");
    db.connection().exec(QStringLiteral("INSERT INTO maillog (Recipients) VALUES ('%1')").arg(recipients));
    EXPECT_EQ(db.connection().scalar(QStringLiteral("SELECT Recipients FROM maillog")).toString(), recipients.left(40));
    db.entries().execute(QStringLiteral("UPDATE mailist SET Name = ?"), {QString(70, 'n')});
    EXPECT_EQ(db.entries().byIndex(index)->Name.size(), 50);
}

TEST_F(EngineTest, WalkRunsInItemOrderAndStopsWhenAsked)
{
    for (const char* item : {"b@x", "A@x", "c@x", "Ä@x"})
        db.entries().insert(entry(QString::fromUtf8(item)));
    QStringList seen;
    db.entries().walk([&](const Entry& e) {
        seen << e.Item;
        return true;
    });
    EXPECT_EQ(seen, (QStringList{"A@x", "b@x", "c@x", QString::fromUtf8("Ä@x")}));
    int visited = 0;
    db.entries().walk([&](const Entry&) { return ++visited < 2; });
    EXPECT_EQ(visited, 2);
}

TEST_F(EngineTest, RowsRoundTripAndEventsFire)
{
    int posts = 0;
    QList<qint64> deleted;
    db.entries().afterPost = [&] { ++posts; };
    db.entries().beforeDelete = [&](qint64 i) { deleted << -i; };
    db.entries().afterDelete = [&](qint64 i) { deleted << i; };
    Entry e = entry(QStringLiteral("r@x"));
    e.LastBounce = QDate(2026, 2, 3);
    e.Status = -1;
    e.NewUser = true;
    e.Index = db.entries().insert(e);
    e.Bounces = 4;
    e.Tagged = true;
    db.entries().post(e);
    const auto back = db.entries().byIndex(e.Index);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Bounces, 4);
    EXPECT_TRUE(back->Tagged && back->NewUser);
    EXPECT_EQ(back->LastBounce, QDate(2026, 2, 3));
    EXPECT_EQ(back->Status, -1);
    EXPECT_EQ(back->InsertDate, e.InsertDate);
    EXPECT_FALSE(back->ExtraInt);
    db.entries().remove(e.Index);
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(deleted, (QList<qint64>{-e.Index, e.Index}));
    EXPECT_THROW(db.entries().post(e), StoreError);
    EXPECT_EQ(db.entries().count(), 0);
}

TEST_F(EngineTest, AWalkGivesEachRowItsOwnFieldsAndKeptRowsStayAsTheyWere)
{
    Entry full = entry(QStringLiteral("a@x"), QStringLiteral("Zoë's group"));
    full.Name = QStringLiteral("Ünal Straße");
    full.Comments = QStringLiteral("");  // empty, not missing
    ASSERT_FALSE(full.Comments.isNull());
    full.LastBounce = QDate(2026, 2, 3);
    full.Status = 2;
    full.ExtraInt = 7;
    full.ExtraBool = true;
    Entry bare = entry(QStringLiteral("b@x"));
    bare.Name = QString();
    bare.InsertDate = QDateTime();
    db.entries().insert(full);
    db.entries().insert(bare);
    QList<Entry> kept;
    db.entries().walk([&](const Entry& e) {
        kept << e;
        return true;
    });
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].Item, QStringLiteral("a@x"));
    EXPECT_EQ(kept[0].Name, QStringLiteral("Ünal Straße"));
    EXPECT_EQ(kept[0].Category, QStringLiteral("Zoë's group"));
    EXPECT_TRUE(kept[0].Comments.isEmpty() && !kept[0].Comments.isNull());
    EXPECT_EQ(kept[0].LastBounce, QDate(2026, 2, 3));
    EXPECT_EQ(kept[0].ExtraInt, 7);
    EXPECT_EQ(kept[0].InsertDate, full.InsertDate);
    // Nothing of the first row shows in the second.
    EXPECT_EQ(kept[1].Item, QStringLiteral("b@x"));
    EXPECT_TRUE(kept[1].Name.isNull());
    EXPECT_TRUE(kept[1].Comments.isNull());
    EXPECT_FALSE(kept[1].LastBounce || kept[1].Status || kept[1].ExtraInt || kept[1].ExtraBool);
    EXPECT_FALSE(kept[1].InsertDate.isValid());
}

TEST(DateTextTest, StoredFormsArePaddedAndReadBack)
{
    const QDateTime early(QDate(987, 6, 5), QTime(4, 3, 2));
    EXPECT_EQ(isoDateTime(early), QStringLiteral("0987-06-05T04:03:02"));
    EXPECT_EQ(dateTimeFromIso(isoDateTime(early)), early);
    const QDate late(2026, 12, 31);
    EXPECT_EQ(isoDate(late), QStringLiteral("2026-12-31"));
    EXPECT_EQ(dateFromIso(isoDate(late)), late);
    EXPECT_TRUE(isoDate(QDate()).isNull());
    EXPECT_TRUE(isoDateTime(QDateTime()).isNull());
}

TEST_F(EngineTest, TransactionsRollBackUnlessCommittedAndNest)
{
    {
        Transaction outer(db.connection());
        db.entries().insert(entry(QStringLiteral("1@x")));
        {
            Transaction inner(db.connection());
            db.entries().insert(entry(QStringLiteral("2@x")));
        }
        outer.commit();
    }
    EXPECT_EQ(db.entries().count(), 1);
    {
        Transaction lost(db.connection());
        db.entries().insert(entry(QStringLiteral("3@x")));
    }
    EXPECT_EQ(db.entries().count(), 1);
}

TEST_F(EngineTest, CountsAndWalksUnderAFilter)
{
    for (int i = 0; i < 10; ++i) {
        Entry e = entry(QStringLiteral("%1@x").arg(i));
        e.Bounces = i;
        db.entries().insert(e);
    }
    EXPECT_EQ(db.entries().count(parseFilter(QStringLiteral("Bounces > 5"))), 4);
    QStringList seen;
    db.entries().walk(parseFilter(QStringLiteral("Bounces > 7")), [&](const Entry& e) {
        seen << e.Item;
        return true;
    });
    EXPECT_EQ(seen, (QStringList{"8@x", "9@x"}));
}

TEST_F(EngineTest, WholeTableStatementsReportProgressToTheEnd)
{
    {
        Transaction batch(db.connection());
        for (int i = 0; i < 5000; ++i)
            db.entries().insert(entry(QStringLiteral("p%1@x").arg(i)));
        batch.commit();
    }
    QList<int> progress;
    const int changed = db.entries().execute(
        QStringLiteral("UPDATE mailist SET SearchHit = (instr(uupper(Item), uupper(?)) > 0)"), {QStringLiteral("P1")},
        [&](int p) { progress << p; });
    EXPECT_EQ(changed, 5000);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(db.entries().count(parseFilter(QStringLiteral("SearchHit = TRUE"))), 1111);
}

TEST_F(EngineTest, AProgressCallbackThatThrowsStopsTheStatementAndTheCallerGetsItsError)
{
    {
        Transaction batch(db.connection());
        for (int i = 0; i < 5000; ++i)
            db.entries().insert(entry(QStringLiteral("p%1@x").arg(i)));
        batch.commit();
    }
    struct Cancelled {};
    EXPECT_THROW(db.entries().execute(QStringLiteral("UPDATE mailist SET Tagged = TRUE"), {},
                                      [](int) { throw Cancelled{}; }),
                 Cancelled);
    // Nothing of the statement is kept, and the connection goes on working.
    EXPECT_EQ(db.entries().count(parseFilter(QStringLiteral("Tagged = TRUE"))), 0);
    Transaction after(db.connection());
    db.entries().insert(entry(QStringLiteral("after@x")));
    after.commit();
    EXPECT_EQ(db.entries().count(), 5001);
}

TEST_F(EngineTest, AnOlderLayoutIsRefusedWithAClearText)
{
    db.close();
    QFile::remove(folder + QStringLiteral("mailstat.dat"));
    {
        SqliteConnection old(folder + QStringLiteral("mailstat.dat"));
        old.exec(QStringLiteral("CREATE TABLE mailstat (Date TEXT, Subscribes INTEGER, Unsubscribes INTEGER, "
                                "Bounces INTEGER, Notes TEXT)"));
    }
    db.setFolder(folder, false, false);
    try {
        db.openTable(TableId::Statistics);
        FAIL() << "opened an older layout";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreError::Kind::Other);
        EXPECT_TRUE(e.text().contains(QStringLiteral("older format")));
    }
    EXPECT_FALSE(db.isOpen(TableId::Statistics));
}

TEST_F(EngineTest, AFileThatIsNoTableIsDamaged)
{
    db.close();
    QFile file(folder + QStringLiteral("maillog.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'x'));
    file.close();
    db.setFolder(folder, false, false);
    try {
        db.openTable(TableId::Log);
        FAIL() << "opened a damaged file";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreError::Kind::Damaged);
    }
}

TEST_F(EngineTest, AnExclusiveOpenLocksOutASecondCopy)
{
    db.close();
    db.setFolder(folder, true, false);
    db.openTable(TableId::Entries);
    db.entries().insert(entry(QStringLiteral("mine@x")));
    Database second;
    second.setFolder(folder, false, false);
    try {
        second.openTable(TableId::Entries);
        second.entries().count();
        FAIL() << "a second copy opened an exclusive table";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreError::Kind::Locked);
    }
    db.close();
    second.close();
    second.openTable(TableId::Entries);
    EXPECT_EQ(second.entries().count(), 1);
}

}  // namespace
