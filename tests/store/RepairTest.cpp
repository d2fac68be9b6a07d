#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"
#include "support/EntryRows.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kRows = 20000;

class RepairTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.path() + '/';
        Database::createMissingTables(folder, TableScope::All);
        addEntries(folder, kRows);
    }

    qint64 rowsNow()
    {
        Database db;
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
        return db.entries().count();
    }

    void repair()
    {
        Database::repairTable(folder, TableId::Entries, [&](int p) { progress << p; },
                              [&](const QString& m) { log << m; });
    }

    QTemporaryDir dir;
    QString folder;
    QList<int> progress;
    QStringList log;
};

TEST_F(RepairTest, ASoundTableIsLeftAsItIs)
{
    repair();
    EXPECT_TRUE(log.contains(QStringLiteral("No damage found")));
    EXPECT_EQ(progress.last(), 100);
    EXPECT_EQ(rowsNow(), kRows);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("mailist.dat.damaged")));
}

TEST_F(RepairTest, ADamagedTableIsRebuiltFromTheRowsThatCanBeRead)
{
    const QString file = folder + QStringLiteral("mailist.dat");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 200000);
        f.seek(f.size() / 3 / 4096 * 4096 + 100);
        f.write(QByteArray(3 * 4096, char(0x5a)));
    }
    repair();
    ASSERT_TRUE(std::any_of(log.begin(), log.end(), [](const QString& m) { return m.startsWith(QStringLiteral("Damage found")); }))
        << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("The damaged file was kept as mailist.dat.damaged")));
    EXPECT_TRUE(QFile::exists(file + QStringLiteral(".damaged")));
    EXPECT_EQ(progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    const qint64 rows = rowsNow();
    EXPECT_GT(rows, kRows / 2);
    EXPECT_LE(rows, kRows);
    EXPECT_TRUE(log.contains(QStringLiteral("%1 rows recovered").arg(rows)));
    SqliteConnection check(file, false);
    EXPECT_EQ(check.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    // The rebuilt table still finds addresses through its index.
    Database db;
    db.setFolder(folder, false, false);
    db.openTable(TableId::Entries);
    EXPECT_TRUE(db.entries().locate(QStringLiteral("MEMBER000001@example.test")));
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void overwrite(const QString& file, qint64 at, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(bytes);
}

TEST_F(RepairTest, ARebuiltFileThatCannotTakeThePlaceLeavesTheTableWhereItWas)
{
    const QString file = folder + QStringLiteral("mailist.dat");
    // A first page no engine can read: the damaged file is renamed aside, not written into.
    overwrite(file, 0, QByteArray(4096, char(0x5a)));
    const QByteArray damaged = contents(file);
    // The rebuilt file vanishes just before the swap (another program took it), and
    // a journal has been left beside the table.
    const auto sabotage = [&](const QString& message) {
        if (!message.endsWith(QStringLiteral(" rows recovered")))
            return;
        QFile::remove(file + QStringLiteral(".rebuild"));
        QFile journal(file + QStringLiteral("-journal"));
        ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    };
    EXPECT_THROW(Database::repairTable(folder, TableId::Entries, {}, sabotage), StoreError);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the table is gone";
    EXPECT_EQ(f.readAll(), damaged);
    EXPECT_TRUE(QFile::exists(file + QStringLiteral("-journal")));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".damaged")));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".damaged-journal")));
}

// A file that cannot even be opened (cut short, its first page overwritten) is
// rebuilt empty but whole, and a repair runs once and says so.
TEST_F(RepairTest, AnUnreadableFileIsRebuiltEmptyAndWhole)
{
    const QString file = folder + QStringLiteral("mailist.dat");
    for (const bool cut : {true, false}) {
        if (cut)
            ASSERT_TRUE(QFile::resize(file, QFileInfo(file).size() / 2));
        else
            overwrite(file, 0, QByteArray(4096, char(0x5a)));
        const QByteArray damaged = contents(file);
        const RepairOutcome outcome = Database::repairTable(folder, TableId::Entries, {}, {});
        EXPECT_TRUE(outcome.damaged);
        EXPECT_EQ(outcome.keptAs, cut ? QStringLiteral("mailist.dat.damaged") : QStringLiteral("mailist.dat.damaged-2"));
        EXPECT_EQ(contents(folder + outcome.keptAs), damaged);
        EXPECT_EQ(rowsNow(), outcome.rowsSaved);
        Database db;
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
        Entry e;
        e.Item = QStringLiteral("after@example.test");
        db.entries().insert(e);
        EXPECT_TRUE(db.entries().locate(QStringLiteral("AFTER@example.test")));
    }
    // The second repair kept its copy beside the first, which still holds its rows.
    EXPECT_TRUE(QFile::exists(file + QStringLiteral(".damaged")));
}

// A copy that has the table open while another repairs it must go on writing into
// the table, never into the kept copy: rows written there would be lost from the
// list. A file replaced by other means (a restore by hand) is never written to.
TEST_F(RepairTest, ACopyThatHasTheTableOpenWritesIntoTheRepairedTableOnly)
{
    const QString file = folder + QStringLiteral("mailist.dat");
    Database open;
    open.setFolder(folder, false, false);
    open.openTable(TableId::Entries);
    overwrite(file, QFileInfo(file).size() / 2 / 4096 * 4096 + 100, QByteArray(2 * 4096, char(0x5a)));
    const QByteArray damaged = contents(file);
    ASSERT_TRUE(Database::repairTable(folder, TableId::Entries, {}, {}).damaged);

    Entry e;
    e.Item = QStringLiteral("late@example.test");
    open.entries().insert(e);
    EXPECT_EQ(contents(file + QStringLiteral(".damaged")), damaged);
    Database fresh;
    fresh.setFolder(folder, false, false);
    fresh.openTable(TableId::Entries);
    EXPECT_TRUE(fresh.entries().locate(QStringLiteral("LATE@example.test")));
    fresh.close();

    ASSERT_TRUE(QFile::rename(file, file + QStringLiteral(".old")));
    ASSERT_TRUE(QFile::copy(file + QStringLiteral(".old"), file));
    const QByteArray old = contents(file + QStringLiteral(".old"));
    e.Item = QStringLiteral("later@example.test");
    try {
        open.entries().insert(e);
        FAIL() << "the write went into the replaced file";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("was replaced"))) << error.text().toStdString();
    }
    EXPECT_EQ(contents(file + QStringLiteral(".old")), old);
}

TEST_F(RepairTest, ATableAnotherCopyHoldsIsLeftAsItIs)
{
    const QString file = folder + QStringLiteral("mailist.dat");
    overwrite(file, QFileInfo(file).size() / 2 / 4096 * 4096 + 100, QByteArray(2 * 4096, char(0x5a)));
    Database holder;
    holder.setFolder(folder, true, false);
    holder.openTable(TableId::Entries);
    const QByteArray damaged = contents(file);
    try {
        Database::repairTable(folder, TableId::Entries, {}, {});
        FAIL() << "repaired a table another copy holds";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.kind(), StoreError::Kind::Locked) << error.text().toStdString();
    }
    EXPECT_EQ(contents(file), damaged);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".damaged")));
}

TEST_F(RepairTest, OptimiseReclaimsSpaceAndKeepsTheRows)
{
    {
        Database db;
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
        db.entries().execute(QStringLiteral("DELETE FROM mailist WHERE \"Index\" % 2 = 0"));
    }
    const qint64 before = QFileInfo(folder + QStringLiteral("mailist.dat")).size();
    Database::optimiseTable(folder, TableId::Entries, [&](int p) { progress << p; });
    EXPECT_LT(QFileInfo(folder + QStringLiteral("mailist.dat")).size(), before);
    EXPECT_EQ(progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(rowsNow(), kRows / 2);
}

}  // namespace
