// What SQLite itself gives for the entries table's bulk load and walk on this
// machine (see EngineFloor.h): the ceiling the store's own figures can reach.
#include "EngineFloor.h"

#include "base/ProcessEnvironment.h"
#include "store/EntriesBulkLoad.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;  // a smaller figure may be given
    const int batch = argc > 2 ? std::atoi(argv[2]) : EntriesBulkLoad::kBatch;
    bench::printFloor(bench::runEngineFloor(bench::makeRows(rows), batch), rows, batch);
    return 0;
}
