#pragma once

#include <QString>

// Where the program keeps its files. All folders are held with "/" and end in "/".
struct Folders {
    QString application;  // ApplicationPath
    QString config;       // configuration folder: Settings.ini, recent.txt, the text lists

    // CORVANEL_HOME when set; else the executable's folder when writable; else the
    // per-user data folder. The configuration folder is created when missing and
    // falls back to the application folder when it cannot be.
    static Folders locate(const QString& executableFolder);
    // The same rules for a given application folder (tests, the CLI's --home).
    static Folders forApplication(const QString& applicationFolder);

    QString defaultDatabasePath() const { return application + "DB/"; }
    // SettingsFolder: the configuration folder's copy, or with allowFallback the
    // application folder's copy when only that one exists.
    QString settingsFile(const QString& fileName, bool allowFallback) const;
};

// fixpath: trims blanks; withSlash appends "/" unless the path already ends in
// "\" or "/"; without it one trailing separator is removed. Backslashes become "/".
QString fixpath(const QString& path, bool withSlash);

// The one rule for a folder's closing separator: a non-empty path that does not
// end in "/" or "\" gets "/".
QString withClosingSlash(const QString& path);
