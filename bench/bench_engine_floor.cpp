// What SQLite itself gives for the entries table's layout on this machine, with
// no Corvanel code in the loops: rows bound straight through the C API (the
// address texts made beforehand, outside the timing). It sets the ceiling the
// store's own figures (bench_store) can reach.
#include "base/ProcessEnvironment.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>
#include <sqlite3.h>

namespace {

int kRows = 1000000;  // a smaller figure may be given on the command line

void print(const char* what, qint64 ms)
{
    std::printf("%-44s %8lld ms %12.0f rows/s\n", what, static_cast<long long>(ms), ms > 0 ? kRows * 1000.0 / ms : 0.0);
}

// A fresh entries table file, attached with the store's settings.
struct Table {
    QTemporaryDir dir;
    Database db;
    sqlite3* handle = nullptr;

    Table()
    {
        Database::createMissingTables(dir.path(), TableScope::All);
        db.setFolder(dir.path(), false, false);
        db.openTable(TableId::Entries);
        handle = db.connection().handle();
    }
};

using Rows = std::vector<std::pair<std::string, unsigned>>;

// The bench_store rows (address and key); in address order when sorted, else
// spread at random.
Rows makeRows(bool sorted)
{
    Rows rows;
    rows.reserve(kRows);
    char item[64];
    for (int i = 0; i < kRows; ++i) {
        const unsigned key = unsigned(i) * 2654435761u;
        std::snprintf(item, sizeof item, "user%u@example%d.test", key, i % 97);
        rows.emplace_back(item, key);
    }
    if (sorted)
        std::sort(rows.begin(), rows.end());
    return rows;
}

void insertRows(sqlite3* handle, const Rows& rows)
{
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle,
                       "INSERT INTO mailist (Item, Category, Bounces, Name, Salutation, Status, NewUser, InsertDate)"
                       " VALUES (?, 'default', ?, ?, 'Person', -1, 1, '2026-12-09T00:00:00')",
                       -1, &insert, nullptr);
    char name[64];
    sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    for (const auto& [address, key] : rows) {
        std::snprintf(name, sizeof name, "Person %u \xc3\x9cnal", key % 100000);
        sqlite3_bind_text(insert, 1, address.c_str(), int(address.size()), SQLITE_STATIC);
        sqlite3_bind_int(insert, 2, int(key % 10));
        sqlite3_bind_text(insert, 3, name, -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
}

// Every column of every row, in Item order.
void walkRows(sqlite3* handle)
{
    sqlite3_stmt* walk = nullptr;
    sqlite3_prepare_v2(handle, "SELECT * FROM mailist ORDER BY Item, \"Index\"", -1, &walk, nullptr);
    long long bytes = 0;
    while (sqlite3_step(walk) == SQLITE_ROW)
        for (int c = 0; c < 24; ++c)
            bytes += sqlite3_column_type(walk, c) == SQLITE_TEXT ? sqlite3_column_bytes(walk, c)
                                                                   : sqlite3_column_int(walk, c);
    sqlite3_finalize(walk);
    if (bytes == 0)
        std::printf("(nothing read)\n");
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    if (argc > 1)
        kRows = std::atoi(argv[1]);
    QElapsedTimer timer;
    {
        Table table;
        const Rows rows = makeRows(false);
        timer.start();
        insertRows(table.handle, rows);
        print("insert, five indexes kept, one transaction", timer.elapsed());
        timer.restart();
        walkRows(table.handle);
        print("walk in Item order, rows in random order", timer.elapsed());
    }
    {
        Table table;
        const Rows rows = makeRows(true);
        timer.start();
        table.db.dropSecondaryIndexes(TableId::Entries);
        insertRows(table.handle, rows);
        const qint64 rowsMs = timer.elapsed();
        table.db.restoreIndexes(TableId::Entries);
        print("insert without indexes, then build them", timer.elapsed());
        std::printf("  (rows in address order) of which rows %lld ms, index build %lld ms\n",
                    static_cast<long long>(rowsMs), static_cast<long long>(timer.elapsed() - rowsMs));
        timer.restart();
        walkRows(table.handle);
        print("walk in Item order, rows in address order", timer.elapsed());
    }
    return 0;
}
