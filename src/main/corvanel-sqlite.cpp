// The loadable SQLite extension that gives other tools (the sqlite3 shell, scripts)
// the collation and upper-casing function the table files are built with:
//   sqlite3 DB/mailist.dat '.load build/libcorvanel_sqlite' 'PRAGMA integrity_check'
#include "store/UnicodeCollation.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// SQLite derives this name from the file name libcorvanel_sqlite.so.
extern "C" __attribute__((visibility("default"))) int
sqlite3_corvanelsqlite_init(sqlite3* db, char**, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    return registerUnicodeFunctions(db);
}
