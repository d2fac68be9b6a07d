#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <optional>

struct FoldersChoice;

// Where the program keeps its files. All folders are held with "/" and end in "/".
struct Folders {
    QString application;  // ApplicationPath
    QString config;       // configuration folder: Settings.ini, recent.txt, the text lists

    // CORVANEL_HOME when set; else the executable's folder when writable; else the
    // per-user data folder. No folder is chosen, and the choice says why, when the
    // per-user data folder cannot be known or the default database folder's path
    // would pass longestDatabaseFolder (UTF-8 bytes, closing "/" included, the most
    // the table files allow). Nothing is created then.
    static FoldersChoice locate(const QString& executableFolder,
                                const QProcessEnvironment& environment,
                                qsizetype longestDatabaseFolder);
    // The same rules for a given application folder (tests).
    static Folders forApplication(const QString& applicationFolder);

    QString defaultDatabasePath() const { return application + "DB/"; }
    // SettingsFolder: the configuration folder's copy, or with allowFallback the
    // application folder's copy when only that one exists.
    QString settingsFile(const QString& fileName, bool allowFallback) const;
};

// The folders, or why none could be chosen: a text for the person who started the
// program, who alone can change the environment.
struct FoldersChoice {
    std::optional<Folders> folders;
    QString problem;
};

// fixpath, for paths typed or stored as text (settings, the recent list, a folder
// typed in a dialog): trims blanks; withSlash appends "/" unless the path already
// ends in "\" or "/"; without it one trailing separator is removed. Backslashes
// become "/".
QString fixpath(const QString& path, bool withSlash);

// A folder path the program already holds (located, resolved, picked from the file
// system): separators as the platform has them — on Linux a "\" belongs to a name —
// and a closing "/".
QString folderWithSlash(const QString& folder);

// The one rule for a folder's closing separator: a non-empty path that does not
// end in "/" or "\" gets "/".
QString withClosingSlash(const QString& path);
