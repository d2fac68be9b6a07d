#pragma once

#include <QString>

struct Folders;

// A database folder as configured (Settings.ini DBPath, the recent list, the open
// dialog) may be symbolic: "%" stands for the application folder and "%/DB" (or
// "%\DB") for the default database folder, so a program folder that moves keeps
// finding its list.

// The real folder, with "/" separators and a trailing "/":
// "%" or "\" → application folder; "", "%\DB" or "\DB" → default database folder;
// anything else → itself.
QString resolveDatabaseFolder(const QString& configured, const Folders& folders);

// True when the configured string is one of the symbolic forms above.
bool isSymbolicDatabaseFolder(const QString& configured);

// The form written to Settings.ini: "%" for the application folder, "%\DB" for the
// default database folder, else the folder itself.
QString symbolicDatabaseFolder(const QString& folder, const Folders& folders);

// True when the folder holds the entries table "mailist.dat" (any letter case).
bool databaseexistsindirectory(const QString& folder);
