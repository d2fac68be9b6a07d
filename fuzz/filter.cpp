// Any filter text either is refused with a FilterError or gives a WHERE clause that
// the engine accepts with exactly its parameters.
#include "FuzzSupport.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"

namespace {
struct Table {
    FuzzScratch scratch;
    Database db;
    Table()
    {
        const QString folder = scratch.dir.path() + '/';
        Database::createMissingTables(folder, TableScope::All);
        db.setFolder(folder, true, false);
        db.openTable(TableId::Entries);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Table table;
    SqlFilter filter;
    try {
        filter = parseFilter(QString::fromUtf8(fuzzBytes(data, size)));
    } catch (const FilterError&) {
        return 0;
    }
    FUZZ_REQUIRE(filter.where.count('?') == filter.params.size());
    // A StoreError here (bad SQL, a wrong parameter count) is not caught: it aborts.
    table.db.entries().count(filter);
    return 0;
}
