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
// DBInfo.ddt and Cats.txt, repair and optimisation. Every question, message and
// progress display goes through the Ui it was given.
class TdmML {
public:
    TdmML(const Folders& folders, Settings& settings, Logs& logs, Ui& ui);

    // dmMLCreate: recent list, the Database keys of Settings.ini, open, else the
    // open dialog once. Never raises; failures become messages.
    void create();

    // Opens (offering creation, repair or upgrade) the folder, which may be symbolic
    // ("%", "%/DB", ...). Returns true when it ends up open. When it does not
    // (declined, locked, not repaired), the previously open database stays open
    // and current. Raises only when creating a new database in the folder fails
    // (the caller shows the error).
    bool OpenDatabase(const QString& folder);
    // The open-database dialog once; true when a folder was chosen (and opened).
    bool PromptToLoadDB();
    // Repairs the five tables of the open database (closed meanwhile, then opened
    // again). ask puts the question first. False when the repair was declined or
    // failed, or the tables did not open again (a message has said which).
    bool RepairDatabase(bool ask);
    // "Optimize and Repair Database...": the repair question, then the optimisation.
    // fromMenu asks before optimising; without it a declined or failed repair ends
    // the operation with nothing optimised. True only when the database was both
    // repaired and optimised and its tables opened again.
    bool OptimiseDatabase(bool fromMenu);
    // Refresh record, Cats.txt, DBInfo.ddt, flush. Raises StoreError when a file
    // cannot be written; its text is the message for the person, naming the file
    // and the reason. Does nothing while no database is open.
    void SaveDatabase();
    // The "DB Name:" link; true when the user answered (an empty name is kept).
    bool renameDatabase();

    void Closetables();
    // Opens the five tables of the current folder again (damaged ones repaired).
    void Opentables();

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
    // The entry count taken from the table itself: at every open, and after bulk
    // work that does not count what it changes.
    void recountEntries();
    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& name) { databaseName_ = name; }

    RecentList& recent() { return recent_; }
    Database& database() { return database_; }

    // Filled by the statistics code: the "refresh" record SaveDatabase makes.
    std::function<void()> recordRefresh;
    // Called after the group list changed (group list boxes refresh).
    std::function<void()> groupsChanged;
    // The screens' data sources are switched off (false) and on again (true)
    // around optimisation.
    std::function<void(bool enabled)> dataSourcesEnabled;

private:
    void readDatabaseSettings();
    bool openOrOffer(const QString& folder, const QString& resolved);
    bool offerNewDatabase(const QString& folder);
    void warnTableInUse();
    void tellRepaired(const QList<std::pair<TableId, RepairOutcome>>& damaged, const QString& lead);
    void openIn(const QString& folder);
    void openTables(const QString& folder);
    void openWithRepair(const QString& folder, TableId table);
    void loadFolderState(const QString& folder);
    bool offerRecovery(const QString& folder, const QString& error);
    bool repairFolder(const QString& folder, bool ask);
    bool optimiseFolder(const QString& folder);
    bool reopenTables();
    LogFn repairLog(TableId table);

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
