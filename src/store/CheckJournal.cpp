#include "store/CheckJournal.h"

#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

CheckJournal::CheckJournal(Database& database) : database_(database) {}

QString CheckJournal::table(const QString& name) const
{
    return '"' + Database::schemaName(TableId::Entries) + "\"." + TableSchema::quoted(name);
}

bool CheckJournal::handled(const QString& messageKey)
{
    Statement& find = database_.connection().cached("SELECT 1 FROM " + table("HandledMessages")
                                                    + " WHERE MessageKey = ?");
    find.reset();
    find.bind(1, messageKey);
    const bool found = find.step();
    find.reset();
    return found;
}

void CheckJournal::recordHandled(const QString& messageKey, const QString& messageId, const QDateTime& when)
{
    Statement& insert = database_.connection().cached(
        "INSERT OR REPLACE INTO " + table("HandledMessages") + " (MessageKey, MessageId, Handled) VALUES (?, ?, ?)");
    insert.reset();
    insert.bind(1, TableSchema::fit(messageKey, 500)).bind(2, TableSchema::fit(messageId, 250)).bind(3, when);
    insert.run();
}

void CheckJournal::pruneHandled(const QDateTime& before)
{
    Statement prune(database_.connection(), "DELETE FROM " + table("HandledMessages") + " WHERE Handled < ?");
    prune.bind(1, before);
    prune.run();
}

void CheckJournal::queue(const QString& kind, const QString& recipient, const QString& detail,
                         const QDateTime& when)
{
    Statement& insert = database_.connection().cached(
        "INSERT INTO " + table("Outbox") + " (Kind, Recipient, Detail, Created) VALUES (?, ?, ?, ?)");
    insert.reset();
    insert.bind(1, TableSchema::fit(kind, 20)).bind(2, TableSchema::fit(recipient, 250)).bind(3, detail).bind(4, when);
    insert.run();
}

void CheckJournal::markSent(qint64 index, const QDateTime& when)
{
    // Its own commit: a crash after it never sends the item again.
    Transaction transaction(database_.connection());
    Statement& update =
        database_.connection().cached("UPDATE " + table("Outbox") + " SET Sent = ? WHERE \"Index\" = ?");
    update.reset();
    update.bind(1, when).bind(2, index);
    update.run();
    transaction.commit();
}

QList<CheckJournal::OutboxItem> CheckJournal::unsent()
{
    Statement read(database_.connection(), "SELECT \"Index\", Kind, Recipient, Detail, Created FROM "
                                               + table("Outbox") + " WHERE Sent IS NULL ORDER BY \"Index\"");
    QList<OutboxItem> items;
    while (read.step())
        items.append({read.integer64(0), read.text(1), read.text(2), read.text(3), read.dateTime(4)});
    return items;
}
