#pragma once

#include "store/StoreError.h"

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class EntriesTable;
class SqliteConnection;

// The five tables of one mailing list, in the order they are opened.
enum class TableId { Entries, Statistics, Log, GroupStatistics, Schedules };
inline constexpr TableId kOpenOrder[] = {TableId::Entries, TableId::Statistics, TableId::Log,
                                         TableId::GroupStatistics, TableId::Schedules};

// Which tables "create missing tables" looks at.
enum class TableScope { All, StatisticsOnly, LogScheduleAndGroupStatistics };

using ProgressFn = std::function<void(int percent)>;
using LogFn = std::function<void(const QString& message)>;

// What a table's repair did: a sound table is left as it was (damaged false).
struct RepairOutcome {
    bool damaged = false;
    qint64 rowsSaved = 0;
    QString keptAs;  // the kept damaged file's name
};

// One database folder: each table is its own SQLite file there, attached to one
// connection. Writes are transactions; every failure is a StoreError.
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // "mailist.dat", "mailstat.dat", "maillog.dat", "mailsubs.dat", "mailschd.dat".
    static QString fileName(TableId table);
    // The table's display name used in messages ("mailist.DAT", ...).
    static QString displayName(TableId table);
    // The empty file the session opens as its main database, beside the tables.
    static const QString kSessionFileName;
    // The name the table's file is attached under on the session's connection.
    static QString schemaName(TableId table);
    // The table file in the folder, matched without regard to case; empty when absent.
    static QString findFile(const QString& folder, const QString& fileName);
    static bool exists(const QString& folder, TableId table);
    // The longest database folder path (UTF-8 bytes, closing "/" included) in which
    // SQLite still opens every table file, a repair's rebuilt copy and a send list of
    // the highest number.
    static qsizetype longestFolderPath();

    // Creates the tables of the scope that are missing, with their fields, defaults
    // and indexes; existing tables are left untouched.
    static void createMissingTables(const QString& folder, TableScope scope);

    // Integrity check and rebuild of what can be read; the table must be closed.
    static RepairOutcome repairTable(const QString& folder, TableId table, const ProgressFn& progress,
                            const LogFn& log);
    // VACUUM; the table must be closed.
    static void optimiseTable(const QString& folder, TableId table, const ProgressFn& progress);

    // Binds to a folder and opens (attaches) one table; exclusive takes the file's
    // lock for as long as it is open. Throws Damaged, Locked (held by another copy,
    // after 15 tries 100 ms apart) or Other (also for a table in an older layout).
    void setFolder(const QString& folder, bool exclusive, bool strictChangeDetection);
    void openTable(TableId table);
    bool isOpen(TableId table) const;
    void close();  // closes every table
    QString folder() const;
    bool isExclusive() const;  // as bound by setFolder

    void flush();  // checkpoint / sync every open table

    // A bulk load drops the open table's secondary (non-unique) indexes and has
    // them built again when it ends: one sort costs far less than a random index
    // insert per row. Queries stay correct without them, only slower, and a load
    // cut short by a crash gets them back at the table's next open.
    void dropSecondaryIndexes(TableId table);
    void restoreIndexes(TableId table);  // builds every declared index that is missing

    EntriesTable& entries();
    SqliteConnection& connection();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Holds a transaction for a scope; rolled back unless committed. Nests as savepoints.
class Transaction {
public:
    // Immediate takes the write lock of every attached table file at once; a
    // transaction that writes one file it holds alone (a send list) defers, so its
    // commit touches that file only, without a journal across files.
    enum class Lock { Immediate, Deferred };
    explicit Transaction(SqliteConnection& connection, Lock lock = Lock::Immediate);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    SqliteConnection& connection_;
    QString name_;
    bool done_ = false;
};
