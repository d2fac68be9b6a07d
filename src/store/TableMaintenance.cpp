#include "store/TableMaintenance.h"

#include "store/SqliteConnection.h"
#include "store/StepProgress.h"
#include "store/TableSchema.h"

#include "util/KeptCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kCheckedPercent = 30;
constexpr int kCopiedPercent = 95;
// Unreadable rows are stepped over one by one for this many tries, then in ever
// larger jumps, so a lost interior page does not mean millions of tries.
constexpr int kLinearSkips = 1000;

const char* const kSideFiles[] = {"-journal", "-wal", "-shm"};

void report(const ProgressFn& progress, int percent)
{
    if (progress)
        progress(percent);
}

// The problems integrity_check reports.
QStringList integrityProblems(SqliteConnection& connection, const TableDef& def)
{
    QStringList problems;
    try {
        Statement check(connection, QStringLiteral("PRAGMA integrity_check(20)"));
        while (check.step())
            if (check.text(0) != QLatin1String("ok"))
                problems << check.text(0);
        if (problems.isEmpty() &&
            TableSchema::columnsInFile(connection, QStringLiteral("main"), def.sqlName).isEmpty())
            problems << QStringLiteral("the table %1 is missing from the file").arg(def.sqlName);
    } catch (const StoreError& error) {
        problems << error.text();
    }
    return problems;
}

// The damaged file, opened to be read and held with an exclusive lock until the
// repair ends, so no other copy writes into it meanwhile. A file too damaged to
// be opened or locked is a problem to report, and a null connection when not
// even opened; a file that another copy holds is refused (Locked).
std::unique_ptr<SqliteConnection> openExclusively(const QString& file, QStringList& problems)
{
    std::unique_ptr<SqliteConnection> connection;
    try {
        connection = std::make_unique<SqliteConnection>(file, false);
        connection->exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
        connection->exec(QStringLiteral("BEGIN EXCLUSIVE"));
        connection->exec(QStringLiteral("COMMIT"));
    } catch (const StoreError& error) {
        if (error.kind() == StoreError::Kind::Locked)
            throw;
        problems << error.text();
    }
    return connection;
}

// Two repairs of one table must not run at once: both would rebuild into the same
// file. The lock is a file of its own, since a damaged table file may not even
// take the engine's lock; it is given up when its holder ends, however it ends.
void lockForRepair(QLockFile& lock, const TableDef& def)
{
    // Never taken for stale while its holder runs, however long a large table takes.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return;
    if (lock.error() == QLockFile::LockFailedError)
        throw StoreError(StoreError::Kind::Locked, SQLITE_BUSY,
                         QStringLiteral("Table %1 is being repaired by another copy of Corvanel")
                             .arg(def.sqlName));
    throw StoreError(StoreError::Kind::Other, SQLITE_CANTOPEN,
                     QStringLiteral("Table %1 cannot be repaired: its folder cannot be written to")
                         .arg(def.sqlName));
}

struct CopyResult {
    qint64 rows = 0;
    qint64 unreadable = 0;
};

// Copies every row of the old file that can still be read, in rowid order.
CopyResult copyReadableRows(SqliteConnection& in, SqliteConnection& out, const TableDef& def,
                            const ProgressFn& progress)
{
    CopyResult result;
    QStringList common;
    QList<const FieldDef*> commonFields;
    try {
        const QStringList columns = TableSchema::columnsInFile(in, QStringLiteral("main"), def.sqlName);
        for (const FieldDef& field : def.fields)
            for (const QString& column : columns)
                if (column.compare(field.name, Qt::CaseInsensitive) == 0) {
                    common << TableSchema::quoted(field.name);
                    commonFields << &field;
                }
    } catch (const StoreError&) {
        return result;  // not even the layout can be read
    }
    if (common.isEmpty())
        return result;
    const QString columns = common.join(QStringLiteral(", "));
    const QString table = TableSchema::quoted(def.sqlName);
    qint64 maxRowid = 0;
    try {
        maxRowid = in.scalar(QStringLiteral("SELECT max(rowid) FROM ") + table).toLongLong();
    } catch (const StoreError&) {
        // Without the highest rowid the copy just reports no intermediate progress.
    }
    Statement read(in, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ? ORDER BY rowid").arg(columns, table));
    Statement write(out, QStringLiteral("INSERT OR IGNORE INTO main.%1 (%2) VALUES (%3)")
                             .arg(table, columns, QStringList(common.size(), QStringLiteral("?")).join(',')));
    qint64 cursor = std::numeric_limits<qint64>::min();
    qint64 skip = 1;
    int failures = 0;
    for (;;) {
        read.reset();
        read.bind(1, cursor);
        try {
            while (read.step()) {
                const qint64 rowid = read.integer64(0);
                write.reset();
                // The rebuilt table may have no trigger to cut texts to their sizes.
                for (int i = 0; i < common.size(); ++i) {
                    const QVariant value = read.value(i + 1);
                    if (value.typeId() == QMetaType::QString)
                        write.bind(i + 1, TableSchema::fit(*commonFields[i], value.toString()));
                    else
                        write.bind(i + 1, value);
                }
                write.run();
                ++result.rows;
                failures = 0;
                skip = 1;
                if (rowid == std::numeric_limits<qint64>::max())
                    return result;
                cursor = rowid + 1;
                if (maxRowid > 0 && result.rows % 1000 == 0)
                    report(progress, kCheckedPercent + int((kCopiedPercent - kCheckedPercent) *
                                                           std::clamp<qint64>(rowid, 0, maxRowid) / maxRowid));
            }
            return result;
        } catch (const StoreError& error) {
            if (error.kind() != StoreError::Kind::Damaged)
                throw;
        }
        ++result.unreadable;
        if (++failures > kLinearSkips)
            skip *= 2;
        if (cursor > std::numeric_limits<qint64>::max() - skip)
            return result;
        cursor += skip;
    }
}

void removeWithSideFiles(const QString& file)
{
    QFile::remove(file);
    for (const char* suffix : kSideFiles)
        QFile::remove(file + QLatin1String(suffix));
}

void moveSideFiles(const QString& from, const QString& to)
{
    for (const char* suffix : kSideFiles)
        QFile::rename(from + QLatin1String(suffix), to + QLatin1String(suffix));
}

// Writes every page of the rebuilt file into the damaged one, in one transaction
// of the engine: whoever reads the file next sees either the damaged table or the
// rebuilt one.
bool copyPages(SqliteConnection& from, SqliteConnection& into)
{
    sqlite3_backup* backup = sqlite3_backup_init(into.handle(), "main", from.handle(), "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);
    return sqlite3_backup_finish(backup) == SQLITE_OK && stepped == SQLITE_DONE;
}

// The file's bytes as the engine's own handle reads them: a second handle, once
// closed, would drop every lock this process holds on the file.
bool writeFileBytes(SqliteConnection& connection, QFile& out)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(connection.handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods)
        return false;
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK)
        return false;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (sqlite3_int64 at = 0; at < size;) {
        const int count = int(std::min<sqlite3_int64>(buffer.size(), size - at));
        if (file->pMethods->xRead(file, buffer.data(), count, at) != SQLITE_OK ||
            out.write(buffer.constData(), count) != count)
            return false;
        at += count;
    }
    return true;
}

bool replaceFile(const QString& from, const QString& to)
{
    std::error_code error;
    // Unlike the toolkit's rename, this one replaces the target in one step.
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    return !error;
}

// The damaged file is kept, under a name no earlier kept copy has, and the rebuilt
// table takes its place. Another copy of the program may still have the file open;
// were the file renamed away, that copy's later writes, or its rollback of a
// journal that by then is the rebuilt file's, would land in the kept copy. So the
// rebuilt pages are written into the file itself, through the engine whose locks
// every copy respects, once its bytes are copied aside. Only a file the engine
// cannot even open (which no copy can be using) is renamed aside, with its journal,
// which belongs to it; the rebuilt file then takes its name in one step.
QString replaceDamaged(const QString& file, SqliteConnection* damaged, SqliteConnection& rebuilt,
                       const QString& rebuiltPath)
{
    QString reason;
    const auto failed = [&] {
        return StoreError(StoreError::Kind::Other, 0,
                          QStringLiteral("The rebuilt table could not replace %1: %2").arg(file, reason));
    };
    const QString suffix = QStringLiteral(".damaged");
    const std::optional<QString> kept =
        damaged ? copyAside(file, suffix, [&](QFile& copy) { return writeFileBytes(*damaged, copy); }, &reason)
                : moveAside(file, suffix, &reason);
    if (!kept)
        throw failed();
    if (damaged && copyPages(rebuilt, *damaged))
        return QFileInfo(*kept).fileName();
    if (!damaged)
        moveSideFiles(file, *kept);
    if (!replaceFile(rebuiltPath, file)) {
        reason = QStringLiteral("the file could not be renamed");
        if (damaged) {
            QFile::remove(*kept);  // the file is still there, as it was
        } else {
            QFile::rename(*kept, file);
            moveSideFiles(*kept, file);
        }
        throw failed();
    }
    return QFileInfo(*kept).fileName();
}

}  // namespace

namespace TableMaintenance {

RepairOutcome repair(const QString& file, const TableDef& def, const QList<TableDef>& companions,
                     const ProgressFn& progress,
                     const LogFn& log)
{
    const auto say = [&](const QString& message) {
        if (log)
            log(message);
    };
    QLockFile lock(file + QStringLiteral(".repairing"));
    lockForRepair(lock, def);
    report(progress, 0);
    say(QStringLiteral("Checking the table file"));
    QStringList problems;
    std::unique_ptr<SqliteConnection> in = openExclusively(file, problems);
    if (in && problems.isEmpty())
        problems = integrityProblems(*in, def);
    report(progress, kCheckedPercent);
    if (problems.isEmpty()) {
        say(QStringLiteral("No damage found"));
        report(progress, 100);
        return {};
    }
    say(QStringLiteral("Damage found: ") + problems.first() +
        (problems.size() > 1 ? QStringLiteral(" (and %1 more problems)").arg(problems.size() - 1) : QString()));
    say(QStringLiteral("Rebuilding the table"));
    // Held by the repair lock, so whatever is there is left by a repair that was cut short.
    const QString rebuilt = rebuiltFile(file);
    removeWithSideFiles(rebuilt);
    CopyResult copied;
    QString kept;
    try {
        // The damaged file is only read, through a connection of its own, so
        // nothing of it takes part in the rebuilt file's transaction.
        SqliteConnection out(rebuilt, true);
        {
            Transaction transaction(out);
            TableSchema::create(out, def, QStringLiteral("main"));
            if (in)
                copied = copyReadableRows(*in, out, def, progress);
            for (const TableDef& companion : companions) {
                TableSchema::create(out, companion, QStringLiteral("main"));
                if (in)
                    copyReadableRows(*in, out, companion, {});
            }
            transaction.commit();
        }
        say(QStringLiteral("%1 rows recovered").arg(copied.rows));
        if (copied.unreadable > 0)
            say(QStringLiteral("Unreadable parts of the table were skipped %1 times").arg(copied.unreadable));
        // Still under the exclusive lock: no other copy writes between the copy and the swap.
        kept = replaceDamaged(file, in.get(), out, rebuilt);
    } catch (const StoreError&) {
        removeWithSideFiles(rebuilt);
        throw;
    }
    removeWithSideFiles(rebuilt);
    in.reset();
    say(QStringLiteral("The damaged file was kept as ") + kept);
    report(progress, 100);
    return {true, copied.rows, kept};
}

QString rebuiltFile(const QString& file)
{
    return file + QStringLiteral(".rebuild");
}

void optimise(const QString& file, const ProgressFn& progress)
{
    // VACUUM takes roughly this many virtual-machine steps per page it copies.
    constexpr qint64 kOpsPerPage = 150;
    constexpr int kProgressOps = 5000;
    SqliteConnection connection(file, false);
    report(progress, 0);
    const qint64 pages = connection.scalar(QStringLiteral("PRAGMA page_count")).toLongLong();
    {
        StepProgress steps(connection, pages * kOpsPerPage, kProgressOps,
                           [&](int percent) { report(progress, percent); });
        connection.exec(QStringLiteral("VACUUM"));
    }
    report(progress, 100);
}

}  // namespace TableMaintenance
