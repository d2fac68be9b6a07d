#include "store/Database.h"
#include "store/EntriesBulkLoad.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "store/SqliteConnection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BulkLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + '/';
        Database::createMissingTables(folder, TableScope::All);
        open();
    }

    void open()
    {
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
    }

    qint64 indexCount()
    {
        return db.connection()
            .scalar("SELECT count(*) FROM db_mailist.sqlite_master WHERE type = 'index' AND tbl_name = 'mailist'")
            .toLongLong();
    }

    static Entry entry(const QString& item, const QString& name = {})
    {
        Entry e;
        e.Item = item;
        e.Category = "default";
        e.Name = name;
        return e;
    }

    QStringList walkedItems()
    {
        QStringList items;
        db.entries().walk([&](const Entry& e) {
            items << e.Item;
            return true;
        });
        return items;
    }

    QTemporaryDir dir;
    QString folder;
    Database db;
};

TEST_F(BulkLoad, ALargeLoadRunsWithoutSecondaryIndexesAndEndsWithAll)
{
    const qint64 declared = indexCount();
    ASSERT_EQ(declared, 5);
    EntriesBulkLoad load(db, 7, 3);
    EXPECT_TRUE(load.indexesDropped());
    for (const char* item : {"kim@x", "Ann@x", "joe@x", "bob@x", "zoe@x", "amy@x", "Éva@x"})
        load.add(entry(item));
    // Two batches are written and committed, one row waits for the next.
    EXPECT_EQ(load.written(), 6);
    EXPECT_EQ(db.entries().count(), 6);
    EXPECT_EQ(indexCount(), 0);
    EXPECT_TRUE(db.entries().locate("ANN@X"));  // found without the index as well
    load.finish();
    EXPECT_EQ(indexCount(), declared);
    // Case-insensitive code-point order: É comes after the ASCII letters.
    EXPECT_EQ(walkedItems(), (QStringList{"amy@x", "Ann@x", "bob@x", "joe@x", "kim@x", "zoe@x", "Éva@x"}));
    // Within a batch the rows are written in address order.
    EXPECT_LT(db.entries().locate("ann@x")->Index, db.entries().locate("kim@x")->Index);
}

TEST_F(BulkLoad, ASmallLoadIntoALargeTableKeepsTheIndexes)
{
    for (int i = 0; i < 30; ++i)
        db.entries().insert(entry(QStringLiteral("m%1@x").arg(i)));
    EntriesBulkLoad load(db, 5, 2);
    EXPECT_FALSE(load.indexesDropped());
    load.add(entry("new@x"));
    load.finish();
    EXPECT_EQ(indexCount(), 5);
    EXPECT_EQ(db.entries().count(), 31);
}

TEST_F(BulkLoad, AnUnfinishedLoadKeepsItsBatchesAndGetsItsIndexesBack)
{
    {
        EntriesBulkLoad load(db, 100, 2);
        for (const char* item : {"a@x", "b@x", "c@x"})
            load.add(entry(item));
    }  // given up without finish(): the third row was never written
    EXPECT_EQ(walkedItems(), (QStringList{"a@x", "b@x"}));
    EXPECT_EQ(indexCount(), 5);
}

TEST_F(BulkLoad, AnOpenBuildsIndexesALoadCutShortLeftOut)
{
    db.entries().insert(entry("a@x"));
    db.dropSecondaryIndexes(TableId::Entries);
    ASSERT_EQ(indexCount(), 0);
    db.close();  // as a crash in mid-load would leave the file
    open();
    EXPECT_EQ(indexCount(), 5);
    EXPECT_EQ(walkedItems(), QStringList{"a@x"});
}

TEST(SearchHits, OnlyRowsWhoseFlagChangesAreWritten)
{
    QTemporaryDir dir;
    Database::createMissingTables(dir.path(), TableScope::All);
    Database db;
    db.setFolder(dir.path(), false, false);
    db.openTable(TableId::Entries);
    EntriesTable& entries = db.entries();
    Entry e;
    for (const auto& [item, name] : {std::pair{"a@x", "Jörg Ünal"}, {"b@x", "JÖRG Smith"}, {"c@x", "Ann Lee"}}) {
        e.Item = item;
        e.Name = name;
        entries.insert(e);
    }
    e.Item = "d@x";
    e.Name.clear();  // no name: never a hit
    e.SearchHit = true;
    entries.insert(e);
    const auto byName = [](const QString& text) {
        return SqlFilter{QStringLiteral("instr(uupper(Name), uupper(?)) > 0"), {text}};
    };
    const SqlFilter hits = parseFilter("SearchHit = TRUE");

    EXPECT_EQ(entries.markSearchHits(byName("jörg")), 3);  // two new hits, the old one cleared
    EXPECT_EQ(entries.count(hits), 2);
    EXPECT_FALSE(entries.locate("d@x")->SearchHit);
    EXPECT_EQ(entries.markSearchHits(byName("jörg")), 0);
    EXPECT_EQ(entries.markSearchHits(byName("lee")), 3);
    EXPECT_EQ(entries.count(hits), 1);
    EXPECT_TRUE(entries.locate("c@x")->SearchHit);
    EXPECT_EQ(entries.markSearchHits(SqlFilter{}), 3);  // no condition: every row
    EXPECT_EQ(entries.count(hits), 4);
}

}  // namespace
