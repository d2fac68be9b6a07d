// Throughput of the entries table: a bulk load in batches, a walk in Item order, a
// filtered count and the whole-table search update, over a million rows.
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

int kRows = 1000000;  // a smaller figure may be given on the command line
int kBatch = EntriesBulkLoad::kBatch;  // and the batch size as the second argument

void print(const char* what, qint64 rows, qint64 ms)
{
    std::printf("%-34s %9lld rows %8lld ms %12.0f rows/s\n", what, static_cast<long long>(rows),
                static_cast<long long>(ms), ms > 0 ? rows * 1000.0 / ms : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs do
    if (argc > 1)
        kRows = std::atoi(argv[1]);
    if (argc > 2)
        kBatch = std::atoi(argv[2]);
    QTemporaryDir dir;
    Database::createMissingTables(dir.path(), TableScope::All);
    Database db;
    db.setFolder(dir.path(), false, false);
    db.openTable(TableId::Entries);
    EntriesTable& entries = db.entries();

    Entry e;
    e.Category = QStringLiteral("default");
    e.Status = -1;
    e.NewUser = true;
    e.InsertDate = QDateTime::currentDateTime();
    QElapsedTimer timer;
    timer.start();
    EntriesBulkLoad load(db, kRows, kBatch);
    for (int done = 0; done < kRows; ++done) {
        // Spread the addresses over the index like real ones, not in order.
        const quint32 key = quint32(done) * 2654435761u;
        e.Item = QStringLiteral("user%1@example%2.test").arg(key).arg(done % 97);
        e.Name = QStringLiteral("Person %1 Ünal").arg(key % 100000);
        e.Salutation = QStringLiteral("Person");
        e.Bounces = done % 10;
        load.add(e);
    }
    const qint64 rowsMs = timer.elapsed();
    const bool rebuilt = load.indexesDropped();
    load.finish();
    print(QStringLiteral("bulk load (batches of %1)").arg(kBatch).toUtf8().constData(), kRows, timer.elapsed());
    std::printf("  of which rows %lld ms, index build %lld ms (indexes %s)\n", static_cast<long long>(rowsMs),
                static_cast<long long>(timer.elapsed() - rowsMs), rebuilt ? "rebuilt" : "kept");

    timer.restart();
    qint64 walked = 0;
    entries.walk([&](const Entry&) {
        ++walked;
        return true;
    });
    print("walk in Item order", walked, timer.elapsed());

    timer.restart();
    const qint64 bounced = entries.count(parseFilter(QStringLiteral("Bounces > 5")));
    print("count under \"Bounces > 5\"", bounced, timer.elapsed());

    timer.restart();
    const int changed = entries.markSearchHits(
        SqlFilter{QStringLiteral("instr(uupper(Name), uupper(?)) > 0"), {QStringLiteral("son 12")}}, [](int) {});
    const qint64 searchMs = timer.elapsed();
    print("search UPDATE over Name", entries.count(), searchMs);
    std::printf("rows whose flag changed: %d\n", changed);
    std::printf("search hits: %lld, search UPDATE took %.2f s\n",
                static_cast<long long>(entries.count(parseFilter(QStringLiteral("SearchHit = TRUE")))),
                searchMs / 1000.0);
    return 0;
}
