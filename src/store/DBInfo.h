#pragma once

#include <QString>

// "DBInfo.ddt" of a database folder: section "Information" with the entry count,
// the list's display name and the number of groups.
struct DBInfo {
    qint64 Records = 0;      // 0 when absent
    QString DatabaseName;    // empty when absent
    qint64 Groups = 0;       // written, never read back by the program

    static QString fileName() { return "DBInfo.ddt"; }
    static bool existsIn(const QString& folder);
    // The values of folder's DBInfo.ddt; defaults when it is missing or unreadable.
    static DBInfo read(const QString& folder);
    // Replaces folder's DBInfo.ddt; false when it cannot be written, *failure
    // then naming the file and the reason.
    bool write(const QString& folder, QString* failure = nullptr) const;
};
