// Any bytes as the entries table file: opening it either works or fails with a
// StoreError, and what opens can be walked and counted alike.
#include "FuzzSupport.h"
#include "store/Database.h"
#include "store/EntriesTable.h"

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
        FUZZ_REQUIRE(walked == db.entries().count());
    } catch (const StoreError&) {
    }
    return 0;
}
