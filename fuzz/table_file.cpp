// Any bytes as the entries table file: opening it either works or fails with a
// StoreError, and what opens is walked and counted alike, or is damaged in a way
// the integrity check (and so a repair) finds: an index that disagrees with its
// table is not noticed before.
#include "FuzzSupport.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzScratch scratch;
    const QString folder = scratch.dir.path() + '/';
    const QString file = folder + Database::fileName(TableId::Entries);
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + suffix);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        std::abort();
    out.write(fuzzBytes(data, size));
    out.close();
    try {
        Database db;
        db.setFolder(folder, false, false);
        db.openTable(TableId::Entries);
        qint64 walked = 0;
        db.entries().walk([&](const Entry&) {
            ++walked;
            return true;
        });
        if (walked != db.entries().count()) {
            db.close();
            SqliteConnection check(file, false);
            FUZZ_REQUIRE(check.scalar(QStringLiteral("PRAGMA integrity_check")).toString() != QLatin1String("ok"));
        }
    } catch (const StoreError&) {
    }
    return 0;
}
