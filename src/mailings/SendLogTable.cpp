#include "mailings/SendLogTable.h"

#include "store/Database.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

#include <QFile>
#include <QRegularExpression>

namespace {

const TableDef& def() { return TableSchema::table(TableId::Log); }

QString table() { return QStringLiteral("\"%1\".maillog").arg(Database::schemaName(TableId::Log)); }

QString column(const char* name) { return QString::fromLatin1(name); }

constexpr const char* kColumns =
    "\"Index\", Date, Recipients, RecipientString, RecipientCount, Subject, Body, IsHTML, CustomHTML, "
    "Attachments, Comments, ExtraInt, ExtraBool";

SendLogRecord recordOf(const Statement& s)
{
    SendLogRecord r;
    r.Index = s.integer64(0);
    r.Date = s.date(1);
    r.Recipients = s.text(2);
    r.RecipientString = s.text(3);
    r.RecipientCount = s.integer64(4);
    r.Subject = s.text(5);
    r.Body = s.text(6);
    r.IsHTML = s.boolean(7);
    r.CustomHTML = s.boolean(8);
    r.Attachments = s.text(9).split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    r.Comments = s.text(10);
    r.sendListNumber = s.integer(11);
    r.runOpen = s.boolean(12);
    return r;
}

QString fit(const char* field, const QString& text) { return TableSchema::fit(*def().field(column(field)), text); }

}  // namespace

SendLogTable::SendLogTable(SqliteConnection& connection) : db_(connection) {}

qint64 SendLogTable::append(const SendLogRecord& r)
{
    // The fields in the order the send dialog fills them.
    Statement s(db_, QStringLiteral("INSERT INTO %1 (Recipients, RecipientString, RecipientCount, Subject, Body, "
                                    "CustomHTML, Date, IsHTML, Attachments, ExtraInt, ExtraBool) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                         .arg(table()));
    s.bind(1, fit("Recipients", r.Recipients))
        .bind(2, fit("RecipientString", r.RecipientString))
        .bind(3, r.RecipientCount)
        .bind(4, fit("Subject", r.Subject))
        .bind(5, r.Body)
        .bind(6, r.CustomHTML)
        .bind(7, r.Date)
        .bind(8, r.IsHTML)
        .bind(9, r.Attachments.join(QStringLiteral("\r\n")))
        .bind(10, r.sendListNumber)
        .bind(11, r.runOpen);
    Transaction transaction(db_);
    s.run();
    const qint64 index = db_.scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    transaction.commit();
    return index;
}

std::optional<SendLogRecord> SendLogTable::read(qint64 index) const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2 WHERE \"Index\" = ?").arg(column(kColumns), table()));
    s.bind(1, index);
    std::optional<SendLogRecord> found;
    if (s.step())
        found.emplace(recordOf(s));
    return found;
}

QList<SendLogRecord> SendLogTable::all() const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2 ORDER BY \"Index\" DESC").arg(column(kColumns), table()));
    QList<SendLogRecord> records;
    while (s.step())
        records << recordOf(s);
    return records;
}

void SendLogTable::setRun(qint64 index, int sendListNumber, bool open)
{
    Statement s(db_, QStringLiteral("UPDATE %1 SET ExtraInt = ?, ExtraBool = ? WHERE \"Index\" = ?").arg(table()));
    s.bind(1, sendListNumber).bind(2, open).bind(3, index);
    Transaction transaction(db_);
    s.run();
    transaction.commit();
}

void SendLogTable::setRecipientCount(qint64 index, qint64 count)
{
    Statement s(db_, QStringLiteral("UPDATE %1 SET RecipientCount = ? WHERE \"Index\" = ?").arg(table()));
    s.bind(1, count).bind(2, index);
    Transaction transaction(db_);
    s.run();
    transaction.commit();
}

std::optional<SendLogRecord> SendLogTable::latestOpenRun() const
{
    Statement s(db_, QStringLiteral("SELECT %1 FROM %2 WHERE coalesce(ExtraBool, 0) <> 0 AND ExtraInt > 0 "
                                    "ORDER BY \"Index\" DESC LIMIT 1")
                         .arg(column(kColumns), table()));
    std::optional<SendLogRecord> found;
    if (s.step())
        found.emplace(recordOf(s));
    return found;
}

void SendLogTable::remove(qint64 index, const QString& databaseFolder)
{
    const std::optional<SendLogRecord> record = read(index);
    if (!record)
        return;
    Statement s(db_, QStringLiteral("DELETE FROM %1 WHERE \"Index\" = ?").arg(table()));
    s.bind(1, index);
    Transaction transaction(db_);
    s.run();
    transaction.commit();
    const QString name = SendListTable::fileNameOf(record->sendListNumber);
    if (name.isEmpty())
        return;
    const QString file = Database::findFile(databaseFolder, name);
    if (!file.isEmpty())
        for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")})
            QFile::remove(file + suffix);
}
