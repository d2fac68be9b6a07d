#include "store/SendListTable.h"

#include "base/Folders.h"
#include "base/Ui.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
        // The list belongs to this sending alone, and with the lock exclusive WAL
        // keeps its index in this process instead of shared memory.
        db_.exec(QStringLiteral("PRAGMA \"%1\".locking_mode = EXCLUSIVE").arg(schema_));
        db_.exec(QStringLiteral("PRAGMA \"%1\".journal_mode = WAL").arg(schema_));
        setSyncedCommits(true);
        Transaction transaction(db_);
        if (create) {
            TableSchema::create(db_, def(), schema_);
        } else {
            upgradeIfOlder();
            TableSchema::createIndexesAndTriggers(db_, def(), schema_);
        }
        db_.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Key TEXT PRIMARY KEY, Value TEXT)").arg(runTable()));
        transaction.commit();
    } catch (const StoreError&) {
        db_.detach(schema_);
        throw;
    }
}

void SendListTable::upgradeIfOlder()
{
    const QStringList columns = TableSchema::columnsInFile(db_, schema_, def().sqlName);
    const QStringList names = def().fieldNames();
    if (TableSchema::sameLayout(columns, names))
        return;
    if (!TableSchema::sameLayout(columns, names.mid(0, names.size() - 1)))
        throw StoreError(StoreError::Kind::Other, SQLITE_SCHEMA, QStringLiteral("%1 is not a send list").arg(fileName_));
    // A table from before outcomes were kept: what it marked sent went out as far
    // as anyone can now tell.
    db_.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN Outcome TEXT").arg(sqlName()));
    db_.exec(QStringLiteral("UPDATE %1 SET Outcome = 'accepted' WHERE coalesce(Sent, 0) <> 0").arg(sqlName()));
}

QString SendListTable::runTable() const { return QStringLiteral("\"%1\".SendRun").arg(schema_); }

QString SendListTable::filePath() const { return folder_ + fileName_; }

int SendListTable::numberOf(const QString& fileName)
{
    if (fileName.compare(QStringLiteral("SendMail.dat"), Qt::CaseInsensitive) == 0)
        return 1;
    static const QRegularExpression numbered(QStringLiteral("^SendMail_([0-9]+)\\.dat$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto match = numbered.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString SendListTable::fileNameOf(int number)
{
    return number == 1 ? QStringLiteral("SendMail.dat") : number > 1 ? numberedFileName(number) : QString();
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
    Statement& s = db_.cached(QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (?, ?, ?, ?, ?, ?, ?)")
                                  .arg(sqlName(), TableSchema::columnList(def())));
    s.bind(1, TableSchema::fit(def().fields[0], row.Item))
        .bind(2, TableSchema::fit(def().fields[1], row.Name))
        .bind(3, TableSchema::fit(def().fields[2], row.Salutation))
        .bind(4, TableSchema::fit(def().fields[3], row.Surname))
        .bind(5, TableSchema::fit(def().fields[4], row.Company))
        .bind(6, row.Sent)
        .bind(7, row.outcome.stored());
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

namespace {

QString condition(SendListTable::Rows rows)
{
    const QString pending = QStringLiteral("coalesce(Outcome, '') IN ('', 'cancelled')");
    switch (rows) {
    case SendListTable::Rows::All: return QStringLiteral("1");
    case SendListTable::Rows::Pending: return pending;
    case SendListTable::Rows::UnsentPending: return pending + QStringLiteral(" AND coalesce(Sent, 0) = 0");
    case SendListTable::Rows::NotAccepted:
        return QStringLiteral("(coalesce(Outcome, '') IN ('', 'cancelled') OR Outcome LIKE 'refused %')");
    case SendListTable::Rows::Refused: return QStringLiteral("Outcome LIKE 'refused %'");
    }
    return QStringLiteral("1");
}

SendListRow rowOf(const Statement& s)
{
    return SendListRow{s.text(0), s.text(1), s.text(2), s.text(3), s.text(4), s.boolean(5),
                       SendOutcome::fromStored(s.text(6))};
}

bool handedOver(SendState state)
{
    return state == SendState::InFlight || state == SendState::Accepted || state == SendState::Refused ||
           state == SendState::Uncertain;
}

}  // namespace

std::optional<SendListRow> SendListTable::find(const QString& item) const
{
    Statement& s = db_.cached(QStringLiteral("SELECT %1 FROM %2 WHERE Item = ?")
                                  .arg(TableSchema::columnList(def()), sqlName()));
    s.bind(1, item);
    std::optional<SendListRow> row;
    if (s.step())
        row.emplace(rowOf(s));
    s.reset();
    return row;
}

void SendListTable::walk(const std::function<bool(const SendListRow&)>& visit, Rows rows) const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY Item")
                         .arg(TableSchema::columnList(def()), sqlName(), condition(rows)));
    while (s.step())
        if (!visit(rowOf(s)))
            break;
}

QList<SendListRow> SendListTable::rowsAfter(const QString& item, int count, Rows rows) const
{
    Statement& s = db_.cached(QStringLiteral("SELECT %1 FROM %2 WHERE Item > ? AND %3 ORDER BY Item LIMIT ?")
                                  .arg(TableSchema::columnList(def()), sqlName(), condition(rows)));
    // A null text would bind NULL, which no address follows.
    s.bind(1, item.isNull() ? QStringLiteral("") : item).bind(2, count);
    QList<SendListRow> found;
    while (s.step())
        found << rowOf(s);
    s.reset();
    return found;
}

std::optional<SendListRow> SendListTable::lastRow() const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2 ORDER BY Item DESC LIMIT 1")
                         .arg(TableSchema::columnList(def()), sqlName()));
    std::optional<SendListRow> row;
    if (s.step())
        row.emplace(rowOf(s));
    return row;
}

void SendListTable::clear()
{
    db_.exec(QStringLiteral("DELETE FROM ") + sqlName());
}

void SendListTable::setOutcome(const QStringList& items, const SendOutcome& outcome)
{
    Statement& s = db_.cached(QStringLiteral("UPDATE %1 SET Sent = ?, Outcome = ? WHERE Item = ?").arg(sqlName()));
    const QString stored = outcome.stored();
    for (const QString& item : items) {
        s.bind(1, handedOver(outcome.state)).bind(2, stored).bind(3, item);
        s.run();
        s.reset();
    }
}

void SendListTable::resetOutcomes()
{
    db_.exec(QStringLiteral("UPDATE %1 SET Outcome = '' WHERE coalesce(Outcome, '') <> ''").arg(sqlName()));
}

void SendListTable::settleAfterStop(bool unsyncedWritesSurvived)
{
    Transaction transaction(db_);
    db_.exec(QStringLiteral("UPDATE %1 SET Sent = 1, Outcome = 'uncertain' WHERE Outcome = 'in flight'%2")
                 .arg(sqlName(), unsyncedWritesSurvived ? QString() : QStringLiteral(" OR Outcome = 'reserved'")));
    db_.exec(QStringLiteral("UPDATE %1 SET Outcome = '' WHERE Outcome = 'reserved'").arg(sqlName()));
    transaction.commit();
}

SendListTally SendListTable::tally() const
{
    Statement s(db_, QStringLiteral("SELECT coalesce(sum(Outcome = 'accepted'), 0), "
                                    "coalesce(sum(Outcome LIKE 'refused %'), 0), "
                                    "coalesce(sum(Outcome = 'uncertain'), 0), "
                                    "coalesce(sum(coalesce(Outcome, '') IN ('', 'cancelled', 'reserved', 'in flight')), 0) "
                                    "FROM ") + sqlName());
    SendListTally tally;
    if (s.step())
        tally = {s.integer64(0), s.integer64(1), s.integer64(2), s.integer64(3)};
    return tally;
}

void SendListTable::setSyncedCommits(bool synced)
{
    db_.exec(QStringLiteral("PRAGMA \"%1\".synchronous = %2").arg(schema_, synced ? "FULL" : "NORMAL"));
}

QString SendListTable::runValue(const QString& key) const
{
    Statement& s = db_.cached(QStringLiteral("SELECT Value FROM %1 WHERE Key = ?").arg(runTable()));
    s.bind(1, key);
    const QString value = s.step() ? s.text(0) : QString();
    s.reset();
    return value;
}

void SendListTable::setRunValue(const QString& key, const QString& value)
{
    Statement& s = db_.cached(QStringLiteral("INSERT OR REPLACE INTO %1 (Key, Value) VALUES (?, ?)").arg(runTable()));
    s.bind(1, key).bind(2, value);
    s.run();
    s.reset();
}
