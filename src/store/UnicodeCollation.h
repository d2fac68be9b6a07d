#pragma once

#include <QStringView>
#include <cstdint>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

// The collation and the upper-casing function every connection registers: SQLite's
// own NOCASE and upper() fold ASCII letters only. Table files name the collation in
// their schema, so any tool that writes to them or checks them needs it too: the
// loadable extension built from this same source gives it to the sqlite3 shell.
inline constexpr const char* kUnicodeNoCase = "UNOCASE";
inline constexpr const char* kUnicodeUpper = "uupper";

// Registers both on the connection; SQLite's result code.
int registerUnicodeFunctions(sqlite3* db);

// The order of the UNOCASE collation on UTF-8 texts: case-insensitive over all of
// Unicode, as SQLite calls it (lengths in bytes). Indexes in existing files were
// built in this order, so it must never change.
int unicodeNoCase(void*, int lengthA, const void* a, int lengthB, const void* b);

// The same order on UTF-16 texts.
int unicodeNoCase(QStringView a, QStringView b);

// The leading ASCII characters of a text (up to 16), folded as the UNOCASE order
// folds them: sorting a million rows compares these small keys, held side by side,
// instead of reaching into every row's text.
struct NoCasePrefix {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
};
NoCasePrefix noCasePrefix(QStringView text);
// Below or above 0 when the prefixes alone settle their texts' UNOCASE order, the
// same sign unicodeNoCase gives; 0 when only comparing the whole texts can.
int compareNoCasePrefixes(const NoCasePrefix& a, const NoCasePrefix& b);

// The SQL function uupper(text): the Unicode upper case of its argument.
void unicodeUpper(sqlite3_context* context, int, sqlite3_value** argv);
