#include "mailings/ScheduleTable.h"

#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"
#include "util/DateText.h"

#include <QStringList>

namespace {

const TableDef& schedules() { return TableSchema::table(TableId::Schedules); }

// Every field but Index, in table order: what a write sets.
QStringList writtenFields()
{
    QStringList names = schedules().fieldNames();
    names.removeFirst();
    return names;
}

// Binds the written fields from parameter 1 on, in table order.
void bindFields(Statement& statement, const ScheduleRow& row)
{
    statement.bind(1, row.BatchName)
        .bind(2, row.StartDate)
        .bind(3, row.NextSend)
        .bind(4, row.Frequency)
        .bind(5, row.SendCount)
        .bind(6, row.RecipientTotal)
        .bind(7, row.RecipientSent)
        .bind(8, row.Subject)
        .bind(9, row.Body)
        .bind(10, row.HTML)
        .bind(11, row.Customized)
        .bind(12, row.Attachments)
        .bind(13, row.SendType)
        .bind(14, row.SendTable.isNull() ? QVariant() : QVariant(row.SendTable))
        .bind(15, row.Status)
        .bind(16, row.SendTableFile);
}
constexpr int kWrittenFields = 16;

ScheduleRow rowAt(const Statement& read)
{
    ScheduleRow row;
    int n = 0;
    row.Index = read.integer(n++);
    row.BatchName = read.text(n++);
    row.StartDate = read.dateTime(n++);
    row.NextSend = read.dateTime(n++);
    row.Frequency = read.integer(n++);
    row.SendCount = read.integer(n++);
    row.RecipientTotal = read.integer(n++);
    row.RecipientSent = read.integer(n++);
    row.Subject = read.text(n++);
    row.Body = read.text(n++);
    row.HTML = read.boolean(n++);
    row.Customized = read.boolean(n++);
    row.Attachments = read.text(n++);
    row.SendType = read.integer(n++);
    if (!read.isNull(n))
        row.SendTable = read.value(n).toByteArray();
    ++n;
    row.Status = read.integer(n++);
    row.SendTableFile = read.text(n++);
    return row;
}

}  // namespace

QDateTime scheduleMarker(int marker) { return QDateTime(fromDayNumber(marker), QTime(0, 0)); }

std::optional<int> markerOf(const QDateTime& nextSend)
{
    if (!nextSend.isValid())
        return std::nullopt;
    const qint64 day = dayNumber(nextSend.date());
    for (int marker : {ScheduleMarker::AllSent, ScheduleMarker::WaitsForHand, ScheduleMarker::Manual})
        if (day == marker)
            return marker;
    return std::nullopt;
}

ScheduleTable::ScheduleTable(SqliteConnection& connection) : db_(connection) {}

QString ScheduleTable::name() const
{
    return TableSchema::quoted(Database::schemaName(TableId::Schedules)) + '.'
           + TableSchema::quoted(schedules().sqlName);
}

int ScheduleTable::append(const ScheduleRow& row)
{
    const QStringList fields = writtenFields();
    QStringList quotedFields;
    QStringList marks;
    for (const QString& field : fields) {
        quotedFields << TableSchema::quoted(field);
        marks << QStringLiteral("?");
    }
    Statement insert(db_, "INSERT INTO " + name() + " (" + quotedFields.join(", ") + ") VALUES ("
                              + marks.join(", ") + ")");
    bindFields(insert, row);
    insert.run();
    return int(db_.lastInsertId());
}

std::optional<ScheduleRow> ScheduleTable::read(int index)
{
    Statement read(db_, "SELECT " + TableSchema::columnList(schedules()) + " FROM " + name()
                            + " WHERE \"Index\" = ?");
    read.bind(1, index);
    if (!read.step())
        return std::nullopt;
    return rowAt(read);
}

bool ScheduleTable::update(const ScheduleRow& row)
{
    QStringList assignments;
    for (const QString& field : writtenFields())
        assignments << TableSchema::quoted(field) + " = ?";
    Statement write(db_, "UPDATE " + name() + " SET " + assignments.join(", ") + " WHERE \"Index\" = ?");
    bindFields(write, row);
    write.bind(kWrittenFields + 1, row.Index);
    return write.run() > 0;
}

bool ScheduleTable::remove(int index)
{
    Statement erase(db_, "DELETE FROM " + name() + " WHERE \"Index\" = ?");
    erase.bind(1, index);
    return erase.run() > 0;
}

QList<ScheduleRow> ScheduleTable::rows(bool hideCompleted)
{
    QString sql = "SELECT " + TableSchema::columnList(schedules()) + " FROM " + name();
    if (hideCompleted)
        sql += QStringLiteral(" WHERE (Status = ?) OR (Status = ?) OR (Status = ?)");
    Statement read(db_, sql + " ORDER BY \"Index\"");
    if (hideCompleted)
        read.bind(1, ScheduleStatus::Processing)
            .bind(2, ScheduleStatus::NotStarted)
            .bind(3, ScheduleStatus::ErrorEncountered);
    QList<ScheduleRow> out;
    while (read.step())
        out << rowAt(read);
    return out;
}

qint64 ScheduleTable::count()
{
    return db_.scalar("SELECT COUNT(*) FROM " + name()).toLongLong();
}
