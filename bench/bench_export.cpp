// Export throughput: fills a list of a million entries (the bulk load), then writes
// it out with exportlist, all eleven columns, to a file in a temporary folder, and
// walks the same table writing nothing. Prints both rates and their ratio against
// the limit (the export keeps at least 0.7 of the bare walk's rate); exits 1 below it.
//
// Arguments (all optional): list size, rounds (the best of each side is kept).
#include "YesUi.h"
#include "base/ProcessEnvironment.h"
#include "exchange/ExportList.h"
#include "store/Database.h"
#include "store/EntriesBulkLoad.h"
#include "store/EntriesTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kLimit = 0.7;

Entry memberEntry(int i)
{
    const unsigned key = unsigned(i) * 2654435761u;
    Entry e;
    e.Item = QStringLiteral("user%1@example%2.test").arg(key).arg(i % 97);
    e.Category = QStringLiteral("default");
    e.Name = QStringLiteral("Person %1 \u00dcnal").arg(key % 100000);
    e.Salutation = QStringLiteral("Person");
    e.Surname = QStringLiteral("\u00dcnal");
    e.Company = i % 3 == 0 ? QStringLiteral("Acme, Inc.") : QString();  // some values need quotes
    e.City = QStringLiteral("City %1").arg(i % 500);
    e.Country = QStringLiteral("Country");
    return e;
}

void print(const char* what, qint64 rows, qint64 ms)
{
    std::printf("%-34s %9lld rows %7lld ms %12.0f rows/s\n", what, static_cast<long long>(rows),
                static_cast<long long>(ms), ms > 0 ? double(rows) * 1000.0 / double(ms) : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs do
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Cannot make a temporary folder\n");
        return 1;
    }
    const QString folder = dir.path() + '/';
    Database db;
    QElapsedTimer timer;
    try {
        Database::createMissingTables(folder, TableScope::All);
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
        timer.start();
        EntriesBulkLoad load(db, rows);
        for (int i = 0; i < rows; ++i)
            load.add(memberEntry(i));
        load.finish();
        print("fill (bulk load)", rows, timer.elapsed());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Cannot fill the list: %s\n", e.what());
        return 1;
    }

    YesUi ui;
    ExportColumnFlags everyColumn;
    everyColumn.fill(true);
    const ExportContext context{db.entries(), ui, {}};
    const QString file = folder + "export.csv";
    qint64 walkMs = -1;
    qint64 exportMs = -1;
    qint64 walked = 0;
    qint64 characters = 0;
    // The two sides take turns, so a slow spell of the machine falls on both.
    for (int round = 0; round < rounds; ++round) {
        timer.restart();
        walked = 0;
        db.entries().walk([&](const Entry& e) {
            ++walked;
            characters += e.Item.size();
            return true;
        });
        const qint64 walk = timer.elapsed();
        walkMs = walkMs < 0 ? walk : std::min(walkMs, walk);

        timer.restart();
        if (!exportlist(context, file, {}, ",", false, everyColumn)) {
            std::fprintf(stderr, "The export failed\n");
            return 1;
        }
        const qint64 exported = timer.elapsed();
        exportMs = exportMs < 0 ? exported : std::min(exportMs, exported);
    }
    std::printf("best of %d rounds each; %lld address characters walked\n", rounds,
                static_cast<long long>(characters));
    print("walk (writes nothing)", walked, walkMs);
    print("exportlist (11 columns, fsync)", walked, exportMs);
    std::printf("export file: %.1f MB\n", double(QFileInfo(file).size()) / 1e6);
    const double ratio = exportMs > 0 ? double(walkMs) / double(exportMs) : 0.0;
    std::printf("ratio export/walk: %.2f (limit %.2f) %s\n", ratio, kLimit, ratio >= kLimit ? "ok" : "BELOW");
    return ratio >= kLimit ? 0 : 1;
}
