#pragma once

#include "store/Database.h"
#include "store/RecentList.h"

#include <QString>
#include <QStringList>
#include <functional>

struct Folders;
struct Settings;
class Logs;
class Ui;

// The database session: one open database folder at a time, the recent list,
// DBInfo.ddt and Cats.txt, repair and optimisation.
class TdmML {
public:
    TdmML(const Folders& folders, Settings& settings, Logs& logs, Ui& ui);

    // dmMLCreate: recent list, DBPath from Settings.ini, open, else the open dialog.
    void create();

    // Returns true when the folder ends up open.
    bool OpenDatabase(const QString& folder);
    bool PromptToLoadDB();
    void RepairDatabase(bool ask);
    // "Optimize and Repair Database..." (fromMenu asks before optimising).
    void OptimiseDatabase(bool fromMenu);
    void SaveDatabase();

    // Resolution of a configured folder string ("%", "%/DB", empty, ...).
    QString resolveFolder(const QString& configured) const;
    // The symbolic form written to Settings.ini ("%", "%\DB" or the folder).
    QString symbolicFolder(const QString& folder) const;
    bool databaseexistsindirectory(const QString& folder) const;
    static QString GetDBName(const QString& folder);

    bool isOpen() const { return open_; }
    QString currentFolder() const { return currentFolder_; }  // as configured, may be "%"
    QString resolvedFolder() const;                           // real folder, ending in "/"
    qint64 entryCount() const { return entryCount_; }
    void setEntryCount(qint64 n) { entryCount_ = n; }
    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& name) { databaseName_ = name; }

    RecentList& recent() { return recent_; }
    Database& database() { return database_; }

    // Filled by the statistics code: the "refresh" record SaveDatabase makes.
    std::function<void()> recordRefresh;
    // Called after the group list changed (group list boxes refresh).
    std::function<void()> groupsChanged;

private:
    // ... implementation state
    const Folders& folders_;
    Settings& settings_;
    Logs& logs_;
    Ui& ui_;
    Database database_;
    RecentList recent_;
    bool open_ = false;
    QString currentFolder_;
    qint64 entryCount_ = 0;
    QString databaseName_;
};
