#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class SqliteConnection;

// One message as the send log (maillog.dat) keeps it.
struct SendLogRecord {
    qint64 Index = 0;
    QDate Date;
    QString Recipients;       // "Manually Entered Contacts", "All Database Contacts" or the view's description
    QString RecipientString;  // the main window's mode string; empty for a custom list
    qint64 RecipientCount = 0;
    QString Subject;
    QString Body;
    bool IsHTML = false;
    bool CustomHTML = false;
    QStringList Attachments;
    QString Comments;
    // The run's recipient table, kept with the record (ExtraInt: its number, 0 for
    // none), and whether that run has not ended yet (ExtraBool).
    int sendListNumber = 0;
    bool runOpen = false;
};

// The send-log table on the database's connection.
class SendLogTable {
public:
    explicit SendLogTable(SqliteConnection& connection);

    // Appends the record (its Index is ignored) and answers the new Index.
    qint64 append(const SendLogRecord& record);
    std::optional<SendLogRecord> read(qint64 index) const;
    // Newest first.
    QList<SendLogRecord> all() const;
    // The run of the record started (with its table) or ended.
    void setRun(qint64 index, int sendListNumber, bool open);
    void setRecipientCount(qint64 index, qint64 count);
    // The newest record whose run has not ended.
    std::optional<SendLogRecord> latestOpenRun() const;
    // Removes the record and the recipient table kept with it.
    void remove(qint64 index, const QString& databaseFolder);

private:
    SqliteConnection& db_;
};
