#include "store/Database.h"
#include "store/EntriesTable.h"
#include "support/ChildRun.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The stock sqlite3 shell on a table file the program made, as a person's script
// would use it.
ChildRun sqliteShell(const QString& file, const QStringList& commands)
{
    return runChild(QStringLiteral("sqlite3"), QStringList{QStringLiteral("-batch"), file} + commands);
}

const QString kLoad = QStringLiteral(".load ") + QStringLiteral(CORVANEL_SQLITE_EXTENSION);

TEST(SqliteShellTest, TheExtensionLetsTheShellWriteAndCheckTablesInTheProgramsOrder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    Database::createMissingTables(folder, TableScope::All);
    const QString file = folder + Database::fileName(TableId::Entries);
    const QString insert =
        QStringLiteral("INSERT INTO mailist (Item, Category) VALUES ('jürgen@example.org', 'default')");

    const ChildRun without = sqliteShell(file, {insert});
    EXPECT_NE(without.exitCode, 0);
    EXPECT_TRUE(without.err.contains("no such collation sequence")) << without.err.toStdString();

    const ChildRun with =
        sqliteShell(file, {kLoad, insert, QStringLiteral("PRAGMA integrity_check"),
                           QStringLiteral("SELECT uupper('straße')")});
    ASSERT_EQ(with.exitCode, 0) << with.err.toStdString();
    EXPECT_EQ(with.out, "ok\nSTRASSE\n");

    // The row went into the address index in the program's own order, so the
    // program's case-insensitive lookup through that index finds it.
    Database db;
    db.setFolder(folder, false, false);
    db.openTable(TableId::Entries);
    const auto found = db.entries().locate(QStringLiteral("JÜRGEN@EXAMPLE.ORG"));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->Item, "jürgen@example.org");
}

}  // namespace
