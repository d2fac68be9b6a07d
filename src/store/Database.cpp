#include "store/Database.h"

#include "base/Folders.h"
#include "store/EntriesTable.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "store/TableMaintenance.h"
#include "store/TableSchema.h"
#include "util/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <optional>
#include <sqlite3.h>

namespace {

QString schemaOf(TableId table) { return QStringLiteral("db_") + TableSchema::table(table).sqlName; }

QList<TableId> tablesOf(TableScope scope)
{
    switch (scope) {
    case TableScope::All:
        return {TableId::Entries, TableId::Log, TableId::Statistics, TableId::Schedules,
                TableId::GroupStatistics};
    case TableScope::StatisticsOnly:
        return {TableId::Statistics};
    case TableScope::LogScheduleAndGroupStatistics:
        break;
    }
    return {TableId::Log, TableId::Schedules, TableId::GroupStatistics};
}

QString existingFile(const QString& folder, TableId table)
{
    const QString file = Database::findFile(folder, Database::fileName(table));
    if (file.isEmpty())
        throw StoreError(StoreError::Kind::Other, SQLITE_CANTOPEN,
                         QStringLiteral("Table %1 does not exist in %2")
                             .arg(Database::displayName(table), folderWithSlash(folder)));
    return file;
}

}  // namespace

struct Database::Impl {
    SqliteConnection connection;
    EntriesTable entries{connection};
    QString folder;
    bool exclusive = false;
    bool strictChangeDetection = false;
    QList<TableId> open;
    // Each open table's file as it was when attached.
    QHash<TableId, std::pair<QString, std::optional<FileIdentity>>> files;

    void attach(TableId table);
    void restoreIndexes(TableId table);
    void createMissingCompanions(TableId table);
    QString replacedTable() const;
};

Database::Database() : d(std::make_unique<Impl>())
{
    // A repair in another copy puts a rebuilt file in a table's place and keeps
    // the damaged one aside; a commit into the file this copy still holds would
    // land in the kept copy and be lost from the list.
    d->connection.setCommitGuard([this] { return d->replacedTable(); });
}

QString Database::Impl::replacedTable() const
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const auto& [file, identity] = it.value();
        if (identity && fileIdentity(file) != identity)
            return QStringLiteral("The file of table %1 was replaced after this copy of Corvanel "
                                  "opened it (another copy may have repaired it), so nothing was "
                                  "written. Open the database again to go on.")
                .arg(Database::displayName(it.key()));
    }
    return {};
}
Database::~Database()
{
    try {
        close();
    } catch (const StoreError&) {
        // Closing at destruction has nobody left to tell.
    }
}

QString Database::fileName(TableId table) { return TableSchema::table(table).fileName; }

QString Database::displayName(TableId table)
{
    return TableSchema::table(table).sqlName + QStringLiteral(".DAT");
}

QString Database::findFile(const QString& folder, const QString& fileName)
{
    const QString dir = folderWithSlash(folder);
    if (QFileInfo(dir + fileName).isFile())
        return dir + fileName;
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir + name;
    return {};
}

bool Database::exists(const QString& folder, TableId table)
{
    return !findFile(folder, fileName(table)).isEmpty();
}

qsizetype Database::longestFolderPath()
{
    qsizetype longestName = SendListTable::numberedFileName(SendListTable::kMaxNumber).size();
    for (TableId table : kOpenOrder)
        longestName = std::max(longestName, TableMaintenance::rebuiltFile(fileName(table)).size());
    // SQLite refuses to open a database file whose journal's path ("-journal") would
    // pass the longest path its file-system layer takes.
    const qsizetype journalSuffix = 8;
    return sqlite3_vfs_find(nullptr)->mxPathname - journalSuffix - longestName;
}

void Database::createMissingTables(const QString& folder, TableScope scope)
{
    for (TableId table : tablesOf(scope)) {
        if (exists(folder, table))
            continue;
        const QString file = folderWithSlash(folder) + fileName(table);
        try {
            SqliteConnection connection(file, true);
            Transaction transaction(connection);
            TableSchema::create(connection, TableSchema::table(table), QStringLiteral("main"));
            for (const TableDef& companion : TableSchema::companions(table))
                TableSchema::create(connection, companion, QStringLiteral("main"));
            transaction.commit();
        } catch (const StoreError&) {
            // A half-made file would later look like a damaged table.
            QFile::remove(file);
            throw;
        }
    }
}

RepairOutcome Database::repairTable(const QString& folder, TableId table,
                                   const ProgressFn& progress, const LogFn& log)
{
    return TableMaintenance::repair(existingFile(folder, table), TableSchema::table(table),
                                   TableSchema::companions(table), progress, log);
}

void Database::optimiseTable(const QString& folder, TableId table, const ProgressFn& progress)
{
    TableMaintenance::optimise(existingFile(folder, table), progress);
}

void Database::setFolder(const QString& folder, bool exclusive, bool strictChangeDetection)
{
    close();
    d->folder = folderWithSlash(folder);
    d->exclusive = exclusive;
    // SQLite always sees other copies' changes; the flag is kept for the session.
    d->strictChangeDetection = strictChangeDetection;
}

void Database::Impl::attach(TableId table)
{
    const TableDef& def = TableSchema::table(table);
    const QString schema = schemaOf(table);
    const QString file = existingFile(folder, table);
    const std::optional<FileIdentity> identity = fileIdentity(file);
    connection.attach(file, schema);
    files.insert(table, {file, identity});
    try {
        // WAL needs shared memory that a network file system cannot give, so it is
        // used only while this copy is the table's only user.
        connection.exec(QStringLiteral("PRAGMA \"%1\".locking_mode = %2")
                            .arg(schema, exclusive ? QStringLiteral("EXCLUSIVE") : QStringLiteral("NORMAL")));
        connection.exec(QStringLiteral("PRAGMA \"%1\".journal_mode = %2")
                            .arg(schema, exclusive ? QStringLiteral("WAL") : QStringLiteral("TRUNCATE")));
        // Up to 1 GiB of the entries table stays cached (taken only as used), so
        // bulk work over a large list does not spill pages mid-transaction.
        if (table == TableId::Entries)
            connection.exec(QStringLiteral("PRAGMA \"%1\".cache_size = -1048576").arg(schema));
        if (exclusive) {
            // Take the lock now, so a second copy is refused at its open.
            connection.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            connection.exec(QStringLiteral("COMMIT"));
        }
        const QStringList columns = TableSchema::columnsInFile(connection, schema, def.sqlName);
        if (columns.isEmpty())
            throw StoreError(StoreError::Kind::Other, SQLITE_ERROR,
                             QStringLiteral("The file of table %1 holds no such table")
                                 .arg(Database::displayName(table)));
        if (!TableSchema::sameLayout(columns, def.fieldNames()))
            throw StoreError(StoreError::Kind::Other, SQLITE_SCHEMA,
                             QStringLiteral("Table %1 is in an older format (fields %2) and needs to be upgraded")
                                 .arg(Database::displayName(table), columns.join(QStringLiteral(", "))));
        restoreIndexes(table);
        createMissingCompanions(table);
    } catch (const StoreError&) {
        if (connection.inTransaction())
            connection.exec(QStringLiteral("ROLLBACK"));
        connection.detach(schema);
        files.remove(table);
        throw;
    }
}

void Database::openTable(TableId table)
{
    if (d->folder.isEmpty())
        throw StoreError(StoreError::Kind::Other, SQLITE_MISUSE,
                         QStringLiteral("No database folder has been chosen"));
    if (isOpen(table))
        return;
    // SQLite commits a transaction that spans several attached files atomically
    // only when the main database is a file: its super-journal is made beside it.
    // So the session's main database is a file of the folder, never written, and a
    // request's change, its journal and its statistics commit together or not at all.
    const QString sessionFile = d->folder + kSessionFileName;
    if (d->open.isEmpty() && d->connection.path() != sessionFile)
        d->connection.reopen(sessionFile, true);
    d->attach(table);
    d->open.append(table);
}

QString Database::schemaName(TableId table) { return schemaOf(table); }

const QString Database::kSessionFileName = QStringLiteral("Session.dat");

bool Database::isOpen(TableId table) const { return d->open.contains(table); }

void Database::close()
{
    d->connection.clearCache();
    while (!d->open.isEmpty()) {
        const TableId table = d->open.takeLast();
        d->files.remove(table);
        d->connection.detach(schemaOf(table));
    }
}

QString Database::folder() const { return d->folder; }
bool Database::isExclusive() const { return d->exclusive; }

void Database::flush()
{
    // Commits are already on disk (synchronous=FULL); WAL contents move into the table.
    if (!d->exclusive)
        return;
    for (TableId table : d->open)
        d->connection.exec(QStringLiteral("PRAGMA \"%1\".wal_checkpoint(TRUNCATE)").arg(schemaOf(table)));
}

// Files made before a companion table existed get it at their first open.
void Database::Impl::createMissingCompanions(TableId table)
{
    const QString schema = schemaOf(table);
    for (const TableDef& companion : TableSchema::companions(table)) {
        if (!TableSchema::columnsInFile(connection, schema, companion.sqlName).isEmpty())
            continue;
        Transaction transaction(connection);
        TableSchema::create(connection, companion, schema);
        transaction.commit();
    }
}

void Database::Impl::restoreIndexes(TableId table)
{
    const TableDef& def = TableSchema::table(table);
    const QString schema = schemaOf(table);
    const QList<IndexDef> missing = TableSchema::missingIndexes(connection, def, schema);
    if (missing.isEmpty())
        return;
    // An index build sorts the whole table. SQLite's sorter merges small sorted
    // runs, on its worker threads, only while temporary data may go to files (in
    // this machine's temporary folder, never the database folder); kept in memory
    // it sorts in one thread and is about a third slower. Only outside a
    // transaction may the place of temporary data change.
    const bool toFiles = !connection.inTransaction();
    if (toFiles)
        connection.exec(QStringLiteral("PRAGMA temp_store=FILE"));
    try {
        Transaction transaction(connection);
        for (const IndexDef& index : missing)
            TableSchema::createIndex(connection, def, index, schema);
        transaction.commit();
    } catch (const StoreError&) {
        if (toFiles)
            connection.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
        throw;
    }
    if (toFiles)
        connection.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
}

void Database::dropSecondaryIndexes(TableId table)
{
    const TableDef& def = TableSchema::table(table);
    const QString schema = schemaOf(table);
    Transaction transaction(d->connection);
    for (const IndexDef& index : def.indexes)
        if (!index.unique)
            d->connection.exec(QStringLiteral("DROP INDEX IF EXISTS \"%1\".%2")
                                   .arg(schema, TableSchema::quoted(TableSchema::indexName(def, index))));
    transaction.commit();
}

void Database::restoreIndexes(TableId table) { d->restoreIndexes(table); }

EntriesTable& Database::entries() { return d->entries; }
SqliteConnection& Database::connection() { return d->connection; }

// ---- Transaction ----

Transaction::Transaction(SqliteConnection& connection, Lock lock) : connection_(connection)
{
    // Every request of a check run opens one of these, often inside a batch's:
    // the control statements are prepared once per connection.
    int& depth = connection_.transactionDepth();
    if (depth == 0 && !connection_.inTransaction()) {
        // Immediate: the write lock is taken (with the lock retries) before any work.
        connection_.execCached(lock == Lock::Immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    } else {
        name_ = QStringLiteral("corvanel_sp%1").arg(depth);
        connection_.execCached(QStringLiteral("SAVEPOINT ") + name_);
    }
    ++depth;
}

Transaction::~Transaction()
{
    if (done_)
        return;
    --connection_.transactionDepth();
    try {
        if (name_.isEmpty()) {
            connection_.execCached(QStringLiteral("ROLLBACK"));
        } else {
            connection_.execCached(QStringLiteral("ROLLBACK TO ") + name_);
            connection_.execCached(QStringLiteral("RELEASE ") + name_);
        }
    } catch (const StoreError&) {
        // SQLite may already have rolled back by itself after a failure.
    }
}

void Transaction::commit()
{
    if (done_)
        return;
    connection_.execCached(name_.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + name_);
    done_ = true;
    --connection_.transactionDepth();
}
