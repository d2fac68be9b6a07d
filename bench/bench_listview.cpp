// The list view over a large list: fills a database in a temporary folder with
// a million entries, then times a search and a search within its results (each
// one UPDATE through btnSearchClick) beside the same UPDATE run straight through
// SQLite's C API, and opening the grid's model with the cache limit (first rows)
// and without it (every row read and sorted by name), with the peak memory.
//
// Argument (optional): the list size.
#include "base/Folders.h"
#include "base/ProcessEnvironment.h"
#include "logs/Logs.h"
#include "reports/EntriesGridModel.h"
#include "reports/EntrySearch.h"
#include "reports/GridColumns.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesBulkLoad.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"
#include "store/StatisticsRecorder.h"
#include "store/TableSchema.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"
#include "YesUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sqlite3.h>

namespace {

// The process's peak resident size in MB since the last reset.
double peakRssMb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return -1;
}

void resetPeakRss()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The same statement with no Corvanel code around it; milliseconds.
double rawUpdateMs(sqlite3* db, const char* sql, const char* text)
{
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, text, -1, SQLITE_STATIC);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    return double(t.nsecsElapsed()) / 1e6;
}

void line(const char* what, double ms, double limitMs)
{
    std::printf("%-44s %9.1f ms  (limit %6.0f ms, ratio %.2f)\n", what, ms, limitMs, ms / limitMs);
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    QCoreApplication app(argc, argv);
    bool ok = false;
    int size = app.arguments().value(1).toInt(&ok);
    if (!ok || size <= 0)
        size = 1000000;

    QTemporaryDir dir;
    const Folders folders = Folders::forApplication(dir.path());
    const QString folder = folders.application + "DB/";
    QDir().mkpath(folder);
    Settings settings;
    YesUi ui;
    Logs logs(settings.logSwitches(), folders.application, [&] { return folder; });
    TdmML db(folders, settings, logs, ui);
    Database::createMissingTables(folder, TableScope::All);
    db.database().setFolder(folder, false, false);
    for (TableId table : kOpenOrder)
        db.database().openTable(table);
    StatisticsRecorder statistics(db.database(), [&] { return db.entryCount(); });
    const ListContext ctx{settings, logs, ui, db, statistics};

    QElapsedTimer t;
    t.start();
    {
        EntriesBulkLoad load(db.database(), size);
        for (int i = 0; i < size; ++i) {
            Entry e;
            const unsigned key = unsigned(i) * 2654435761u;
            e.Item = QStringLiteral("user%1@example%2.test").arg(key).arg(i % 97);
            e.Name = QStringLiteral("Person %1 Ünal").arg(key % 100000);
            e.Category = QStringLiteral("default");
            e.Bounces = i % 10;
            load.add(std::move(e));
        }
        load.finish();
    }
    db.setEntryCount(size);
    std::printf("list of %d entries filled in %.1f s\n\n", size, double(t.elapsed()) / 1000.0);

    const int name = int(searchFieldCaptions().indexOf("Full Name"));
    qint64 hits = 0;
    t.restart();
    btnSearchClick(ctx, {name, QStringLiteral("person 12"), false, false},
                   [&] { return hits = db.database().entries().count(parseFilter("SearchHit = TRUE")); });
    const double searchMs = double(t.nsecsElapsed()) / 1e6;
    qint64 narrowed = 0;
    t.restart();
    btnSearchClick(ctx, {name, QStringLiteral("5 ÜNAL"), false, true},
                   [&] { return narrowed = db.database().entries().count(parseFilter("SearchHit = TRUE")); });
    const double withinMs = double(t.nsecsElapsed()) / 1e6;

    sqlite3* raw = db.database().connection().handle();
    const double rawSearchMs = rawUpdateMs(
        raw,
        "UPDATE mailist SET SearchHit = coalesce((instr(uupper(Name), uupper(?1)) > 0), 0) "
        "WHERE coalesce(SearchHit, 0) <> coalesce((instr(uupper(Name), uupper(?1)) > 0), 0)",
        "person 12");
    const double rawWithinMs = rawUpdateMs(
        raw, "UPDATE mailist SET SearchHit = 0 WHERE SearchHit = 1 AND NOT coalesce((instr(uupper(Name), uupper(?1)) > 0), 0)",
        "5 ÜNAL");

    std::printf("search \"person 12\" in Full Name: %lld hits; within \"5 ÜNAL\": %lld hits\n", hits, narrowed);
    line("search (btnSearchClick)", searchMs, 1000);
    line("  the same UPDATE, raw SQLite", rawSearchMs, 1000);
    std::printf("  %-42s %9.2f\n", "ratio to raw SQLite", searchMs / rawSearchMs);
    line("search within results (btnSearchClick)", withinMs, 1000);
    line("  the same UPDATE, raw SQLite", rawWithinMs, 1000);
    std::printf("  %-42s %9.2f\n\n", "ratio to raw SQLite", withinMs / rawWithinMs);

    {
        EntriesGridModel model;
        model.setCacheLimit(2000);
        t.restart();
        model.reset(&db.database());
        QString seen;
        for (int r = 0; r < 40; ++r)
            seen = model.index(r, 0).data().toString();
        const double firstMs = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        model.toggleSort(gridColumnOf("Name"));
        for (int r = 0; r < 40; ++r)
            seen = model.index(r, 1).data().toString();
        const double sortedMs = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        seen = model.index(size / 2, 1).data().toString();
        const double middleMs = double(t.nsecsElapsed()) / 1e6;
        line("grid with cache limit 2000: first 40 rows", firstMs, 500);
        line("  sorted by Full Name through its index", sortedMs, 500);
        line("  a window from the middle", middleMs, 500);
    }

    resetPeakRss();
    const double before = peakRssMb();
    {
        EntriesGridModel model;
        t.restart();
        model.reset(&db.database());
        const double readMs = double(t.nsecsElapsed()) / 1e6;
        model.toggleSort(gridColumnOf("Name"));
        const QString first = model.index(0, 1).data().toString();
        const double allMs = double(t.nsecsElapsed()) / 1e6;
        std::printf("\n");
        line("grid without limit: all rows read, sorted", allMs, 4000);
        std::printf("  of which reading %.0f ms, sorting by Full Name %.0f ms\n", readMs, allMs - readMs);
        std::printf("  rows %d, first by name \"%s\"\n", model.rowCount(), qPrintable(first));
        const double peak = peakRssMb();
        std::printf("  peak RSS %.0f MB (%.0f MB before the grid; limit 1024 MB, ratio %.2f)\n", peak, before,
                    peak / 1024.0);
    }
    return 0;
}
