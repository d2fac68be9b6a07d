#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class Database;

// What a check run keeps beside the entries, in their file: the messages it acted
// on (by their stable key) and the mail those messages call for. Written inside
// the transaction of the change a message caused, so after a crash a message is
// either handled with its change and its mail, or not at all. Raises StoreError.
class CheckJournal {
public:
    explicit CheckJournal(Database& database);

    bool handled(const QString& messageKey);
    void recordHandled(const QString& messageKey, const QString& messageId, const QDateTime& when);
    // Forgets messages handled before the moment: long gone from their folders.
    void pruneHandled(const QDateTime& before);

    struct OutboxItem {
        qint64 index = 0;
        QString kind;  // "SubAck", "UnsubAck"
        QString recipient;
        QString detail;
        QDateTime created;
    };
    void queue(const QString& kind, const QString& recipient, const QString& detail, const QDateTime& when);
    QList<OutboxItem> unsent();
    void markSent(qint64 index, const QDateTime& when);

private:
    QString table(const QString& name) const;
    Database& database_;
};
