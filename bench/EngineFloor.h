// What SQLite itself gives for the store's bulk load and walk of the entries
// table, with no Corvanel code in the loops: the same rows, the same batches
// sorted the same way, the same schema (collation, indexes, settings), bound and
// read straight through the C API. bench_engine_floor prints it; bench_store
// runs it beside its own figures and gives the ratio.
#pragma once

#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"
#include "store/UnicodeCollation.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include <sqlite3.h>

namespace bench {

// One row's varying texts and number; every other field is the same in all rows.
struct Row {
    std::string item;
    std::string name;
    int bounces;
};

inline constexpr const char* kCategory = "default";
inline constexpr const char* kSalutation = "Person";
inline constexpr const char* kInsertDate = "2026-12-09T00:00:00";
inline constexpr int kStatus = -1;

// Addresses spread over the index like real ones, not in order; names repeat
// every 100,000 rows and end in a non-ASCII letter.
inline std::vector<Row> makeRows(int count)
{
    std::vector<Row> rows;
    rows.reserve(count);
    char item[64];
    char name[64];
    for (int i = 0; i < count; ++i) {
        const unsigned key = unsigned(i) * 2654435761u;
        std::snprintf(item, sizeof item, "user%u@example%d.test", key, i % 97);
        std::snprintf(name, sizeof name, "Person %u \xc3\x9cnal", key % 100000);
        rows.push_back({item, name, i % 10});
    }
    return rows;
}

inline void print(const char* what, qint64 rows, qint64 ms)
{
    std::printf("%-40s %9lld rows %8lld ms %12.0f rows/s\n", what, static_cast<long long>(rows),
                static_cast<long long>(ms), ms > 0 ? rows * 1000.0 / ms : 0.0);
}

struct Figures {
    qint64 loadMs = 0;  // rows and index build
    qint64 rowsMs = 0;
    qint64 walkMs = 0;
    qint64 walked = 0;
};

// A fresh entries table, attached with the store's settings.
struct FloorTable {
    QTemporaryDir dir;
    Database db;
    sqlite3* handle = nullptr;

    FloorTable()
    {
        Database::createMissingTables(dir.path(), TableScope::All);
        db.setFolder(dir.path(), false, false);
        db.openTable(TableId::Entries);
        handle = db.connection().handle();
    }

    sqlite3_stmt* prepare(const QString& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_prepare_v3(handle, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr);
        return statement;
    }
};

inline QString floorInsertSql()
{
    const TableDef& def = TableSchema::table(TableId::Entries);
    QStringList names;
    for (int i = 1; i < def.fields.size(); ++i)
        names << TableSchema::quoted(def.fields[i].name);
    return QStringLiteral("INSERT INTO mailist (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           QStringList(names.size(), QStringLiteral("?")).join(',') + ')';
}

// Every field of the row in field order (2..24 to parameters 1..23), as the store writes it.
inline void bindRow(sqlite3_stmt* insert, const Row& row)
{
    sqlite3_bind_text(insert, 1, row.item.data(), int(row.item.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, kCategory, -1, SQLITE_STATIC);
    sqlite3_bind_int(insert, 3, row.bounces);
    sqlite3_bind_null(insert, 4);
    sqlite3_bind_text(insert, 5, row.name.data(), int(row.name.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 6, kSalutation, -1, SQLITE_STATIC);
    sqlite3_bind_int(insert, 7, 1);
    for (int p = 8; p <= 15; ++p)  // Surname to Country, LastBounce
        sqlite3_bind_null(insert, p);
    sqlite3_bind_int(insert, 16, kStatus);
    sqlite3_bind_int(insert, 17, 1);
    sqlite3_bind_int(insert, 18, 0);
    sqlite3_bind_int(insert, 19, 0);
    sqlite3_bind_int(insert, 20, 0);
    sqlite3_bind_text(insert, 21, kInsertDate, -1, SQLITE_STATIC);
    sqlite3_bind_null(insert, 22);
    sqlite3_bind_null(insert, 23);
}

// The store's bulk load into an empty table: secondary indexes dropped, batches
// written in the collation's address order, one transaction each, indexes built at the end.
inline void loadRows(FloorTable& table, const std::vector<Row>& rows, int batch, Figures& figures)
{
    sqlite3_stmt* insert = table.prepare(floorInsertSql());
    sqlite3_stmt* begin = table.prepare(QStringLiteral("BEGIN IMMEDIATE"));
    sqlite3_stmt* commit = table.prepare(QStringLiteral("COMMIT"));
    QElapsedTimer timer;
    timer.start();
    table.db.dropSecondaryIndexes(TableId::Entries);
    std::vector<const Row*> order;
    order.reserve(batch);
    for (size_t from = 0; from < rows.size(); from += batch) {
        order.clear();
        for (size_t i = from; i < std::min(rows.size(), from + batch); ++i)
            order.push_back(&rows[i]);
        std::stable_sort(order.begin(), order.end(), [](const Row* a, const Row* b) {
            return unicodeNoCase(nullptr, int(a->item.size()), a->item.data(), int(b->item.size()), b->item.data()) < 0;
        });
        sqlite3_step(begin);
        sqlite3_reset(begin);
        for (const Row* row : order) {
            bindRow(insert, *row);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_step(commit);
        sqlite3_reset(commit);
    }
    figures.rowsMs = timer.elapsed();
    table.db.restoreIndexes(TableId::Entries);
    figures.loadMs = timer.elapsed();
    for (sqlite3_stmt* statement : {insert, begin, commit})
        sqlite3_finalize(statement);
}

// Every column of every row, in Item order, read as the store reads it.
inline void walkRows(FloorTable& table, Figures& figures)
{
    const TableDef& def = TableSchema::table(TableId::Entries);
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt* walk = table.prepare(QStringLiteral("SELECT ") + TableSchema::columnList(def) +
                                       QStringLiteral(" FROM mailist ORDER BY Item, \"Index\""));
    const int columns = int(def.fields.size());
    long long bytes = 0;
    while (sqlite3_step(walk) == SQLITE_ROW) {
        ++figures.walked;
        for (int c = 0; c < columns; ++c)
            bytes += sqlite3_column_type(walk, c) == SQLITE_TEXT ? sqlite3_column_bytes(walk, c)
                                                                   : sqlite3_column_int64(walk, c);
    }
    sqlite3_finalize(walk);
    figures.walkMs = timer.elapsed();
    if (bytes == 0)
        std::printf("(nothing read)\n");
}

inline Figures runEngineFloor(const std::vector<Row>& rows, int batch)
{
    Figures figures;
    FloorTable table;
    loadRows(table, rows, batch, figures);
    walkRows(table, figures);
    return figures;
}

inline void printFloor(const Figures& floor, qint64 rows, int batch)
{
    print(QStringLiteral("engine floor: bulk load (batches of %1)").arg(batch).toUtf8().constData(), rows,
          floor.loadMs);
    std::printf("  of which rows %lld ms, index build %lld ms\n", static_cast<long long>(floor.rowsMs),
                static_cast<long long>(floor.loadMs - floor.rowsMs));
    print("engine floor: walk in Item order", floor.walked, floor.walkMs);
}

}  // namespace bench
