#include "store/SendListTable.h"

#include "base/Folders.h"
#include "base/Ui.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

namespace {

const TableDef& def() { return TableSchema::sendList(); }

// Several send lists may be attached at once; each file gets a schema of its own.
QString schemaFor(const QString& fileName)
{
    QString name = QFileInfo(fileName).completeBaseName().toLower();
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80))
            c = '_';
    return QStringLiteral("sendlist_") + name;
}

}  // namespace

SendListTable::SendListTable(SqliteConnection& connection, const QString& folder)
    : db_(connection), folder_(folderWithSlash(folder))
{
}

SendListTable::~SendListTable() { FreeSendMailTable(false); }

QString SendListTable::uniqueFileName(const QString& folder)
{
    QSet<QString> taken;
    for (const QString& name : QDir(folderWithSlash(folder)).entryList(QDir::Files | QDir::Hidden))
        taken.insert(name.toLower());
    if (!taken.contains(QStringLiteral("sendmail.dat")))
        return QStringLiteral("SendMail.dat");
    for (int n = 2; n <= kMaxNumber; ++n) {
        const QString name = numberedFileName(n);
        if (!taken.contains(name.toLower()))
            return name;
    }
    return {};
}

QString SendListTable::numberedFileName(int n)
{
    return QStringLiteral("SendMail_%1.dat").arg(n);
}

QString SendListTable::schema() const { return schema_; }

QString SendListTable::sqlName() const
{
    return QStringLiteral("\"%1\".%2").arg(schema_, TableSchema::quoted(def().sqlName));
}

void SendListTable::openFile(const QString& file, bool create)
{
    schema_ = schemaFor(fileName_);
    db_.attach(file, schema_, create);
    try {
        // The list belongs to this sending alone.
        db_.exec(QStringLiteral("PRAGMA \"%1\".locking_mode = EXCLUSIVE").arg(schema_));
        if (create) {
            Transaction transaction(db_);
            TableSchema::create(db_, def(), schema_);
            transaction.commit();
        } else {
            const QStringList columns = TableSchema::columnsInFile(db_, schema_, def().sqlName);
            if (!TableSchema::sameLayout(columns, def().fieldNames()))
                throw StoreError(StoreError::Kind::Other, SQLITE_SCHEMA,
                                 QStringLiteral("%1 is not a send list").arg(fileName_));
            TableSchema::createIndexesAndTriggers(db_, def(), schema_);
        }
    } catch (const StoreError&) {
        db_.detach(schema_);
        throw;
    }
}

bool SendListTable::CreateSendMailTable(Ui& ui, const QString& fileName)
{
    FreeSendMailTable(false);
    try {
        const bool create = fileName.isEmpty();
        fileName_ = create ? uniqueFileName(folder_) : fileName;
        if (fileName_.isEmpty())
            throw StoreError(StoreError::Kind::Other, SQLITE_FULL,
                             QStringLiteral("No free send list name is left in ") + folder_);
        const QString file = create ? folder_ + fileName_ : Database::findFile(folder_, fileName_);
        if (file.isEmpty())
            throw StoreError(StoreError::Kind::Other, SQLITE_CANTOPEN,
                             QStringLiteral("The send list %1 does not exist in %2").arg(fileName_, folder_));
        openFile(file, create);
        open_ = true;
        return true;
    } catch (const StoreError& error) {
        fileName_.clear();
        ui.warn(QStringLiteral("An error was encountered creating your temporary tables: ") + error.text());
        return false;
    }
}

void SendListTable::FreeSendMailTable(bool deleteFiles)
{
    if (!open_)
        return;
    open_ = false;
    try {
        db_.clearCache();
        db_.detach(schema_);
    } catch (const StoreError&) {
        // Freeing never fails the caller; the file is removed below all the same.
    }
    if (deleteFiles) {
        const QString file = folder_ + fileName_;
        for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")})
            QFile::remove(file + suffix);
    }
    fileName_.clear();
}

bool SendListTable::insertOrIgnore(const SendListRow& row)
{
    Statement& s = db_.cached(QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (?, ?, ?, ?, ?, ?)")
                                  .arg(sqlName(), TableSchema::columnList(def())));
    s.bind(1, TableSchema::fit(def().fields[0], row.Item))
        .bind(2, TableSchema::fit(def().fields[1], row.Name))
        .bind(3, TableSchema::fit(def().fields[2], row.Salutation))
        .bind(4, TableSchema::fit(def().fields[3], row.Surname))
        .bind(5, TableSchema::fit(def().fields[4], row.Company))
        .bind(6, row.Sent);
    const bool added = s.run() > 0;
    s.reset();
    return added;
}

qint64 SendListTable::count() const
{
    return db_.scalar(QStringLiteral("SELECT count(*) FROM ") + sqlName()).toLongLong();
}

qint64 SendListTable::unsentCount() const
{
    return db_.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE coalesce(Sent, 0) = 0").arg(sqlName()))
        .toLongLong();
}

void SendListTable::markSent(const QString& item)
{
    Statement& s = db_.cached(QStringLiteral("UPDATE %1 SET Sent = 1 WHERE Item = ?").arg(sqlName()));
    s.bind(1, item);
    s.run();
    s.reset();
}

std::optional<SendListRow> SendListTable::find(const QString& item) const
{
    Statement& s = db_.cached(QStringLiteral("SELECT %1 FROM %2 WHERE Item = ?")
                                  .arg(TableSchema::columnList(def()), sqlName()));
    s.bind(1, item);
    std::optional<SendListRow> row;
    if (s.step())
        row.emplace(SendListRow{s.text(0), s.text(1), s.text(2), s.text(3), s.text(4), s.boolean(5)});
    s.reset();
    return row;
}

void SendListTable::walk(const std::function<bool(const SendListRow&)>& visit, bool unsentOnly) const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2%3 ORDER BY rowid")
                         .arg(TableSchema::columnList(def()), sqlName(),
                              unsentOnly ? QStringLiteral(" WHERE coalesce(Sent, 0) = 0") : QString()));
    while (s.step()) {
        const SendListRow row{s.text(0), s.text(1), s.text(2), s.text(3), s.text(4), s.boolean(5)};
        if (!visit(row))
            break;
    }
}
