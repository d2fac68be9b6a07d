// Throughput of the entries table: a bulk load in batches, a walk in Item order, a
// filtered count and the whole-table search update, over a million rows; then the
// engine floor's load and walk of the same rows (EngineFloor.h) and the ratios.
#include "EngineFloor.h"

#include "base/ProcessEnvironment.h"
#include "store/Database.h"
#include "store/EntriesBulkLoad.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "store/SqliteConnection.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// The rows of bench::makeRows as the program holds them, made before the timing.
QList<Entry> makeEntries(const std::vector<bench::Row>& rows)
{
    const QString category = QString::fromUtf8(bench::kCategory);
    const QString salutation = QString::fromUtf8(bench::kSalutation);
    const QDateTime inserted = dateTimeFromIso(QString::fromUtf8(bench::kInsertDate));
    QList<Entry> entries;
    entries.reserve(qsizetype(rows.size()));
    for (const bench::Row& row : rows) {
        Entry& e = entries.emplace_back();
        e.Item = QString::fromUtf8(row.item);
        e.Category = category;
        e.Bounces = row.bounces;
        e.Name = QString::fromUtf8(row.name);
        e.Salutation = salutation;
        e.Status = bench::kStatus;
        e.NewUser = true;
        e.InsertDate = inserted;
    }
    return entries;
}

double ratio(qint64 floorMs, qint64 ownMs) { return ownMs > 0 ? double(floorMs) / double(ownMs) : 0.0; }

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs do
    const int kRows = argc > 1 ? std::atoi(argv[1]) : 1000000;  // a smaller figure may be given
    const int kBatch = argc > 2 ? std::atoi(argv[2]) : EntriesBulkLoad::kBatch;  // and the batch size
    const std::vector<bench::Row> rows = bench::makeRows(kRows);
    const bench::Figures floor = bench::runEngineFloor(rows, kBatch);

    QTemporaryDir dir;
    Database::createMissingTables(dir.path(), TableScope::All);
    Database db;
    db.setFolder(dir.path(), false, false);
    db.openTable(TableId::Entries);
    EntriesTable& entries = db.entries();

    QList<Entry> made = makeEntries(rows);
    QElapsedTimer timer;
    timer.start();
    EntriesBulkLoad load(db, kRows, kBatch);
    for (Entry& e : made)
        load.add(std::move(e));
    const qint64 rowsMs = timer.elapsed();
    const bool rebuilt = load.indexesDropped();
    load.finish();
    const qint64 loadMs = timer.elapsed();
    made.clear();
    bench::print(QStringLiteral("bulk load (batches of %1)").arg(kBatch).toUtf8().constData(), kRows, loadMs);
    std::printf("  of which rows %lld ms, index build %lld ms (indexes %s)\n", static_cast<long long>(rowsMs),
                static_cast<long long>(loadMs - rowsMs), rebuilt ? "rebuilt" : "kept");

    timer.restart();
    qint64 walked = 0;
    entries.walk([&](const Entry&) {
        ++walked;
        return true;
    });
    const qint64 walkMs = timer.elapsed();
    bench::print("walk in Item order", walked, walkMs);

    timer.restart();
    const qint64 bounced = entries.count(parseFilter(QStringLiteral("Bounces > 5")));
    bench::print("count under \"Bounces > 5\"", bounced, timer.elapsed());

    timer.restart();
    const int changed = entries.markSearchHits(
        SqlFilter{QStringLiteral("instr(uupper(Name), uupper(?)) > 0"), {QStringLiteral("son 12")}}, [](int) {});
    const qint64 searchMs = timer.elapsed();
    bench::print("search UPDATE over Name", entries.count(), searchMs);
    std::printf("rows whose flag changed: %d\n", changed);
    std::printf("search hits: %lld, search UPDATE took %.2f s\n",
                static_cast<long long>(entries.count(parseFilter(QStringLiteral("SearchHit = TRUE")))),
                searchMs / 1000.0);
    bench::printFloor(floor, kRows, kBatch);
    std::printf("ratio to the engine floor: bulk load %.2f, walk %.2f\n", ratio(floor.loadMs, loadMs),
                ratio(floor.walkMs, walkMs));
    return 0;
}
