#pragma once

#include "store/SendOutcome.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class SqliteConnection;
class Ui;

// One recipient of a sending, fields in table order.
struct SendListRow {
    QString Item;
    QString Name;
    QString Salutation;
    QString Surname;
    QString Company;
    bool Sent = false;
    SendOutcome outcome;
};

// How many rows of a run ended which way.
struct SendListTally {
    qint64 accepted = 0;
    qint64 refused = 0;
    qint64 uncertain = 0;
    qint64 notSent = 0;  // waiting or cancelled
};

// The per-send recipient table (tblSendList): its own file in the database folder,
// attached exclusively to the database's connection so statements can fill it from
// the entries table. Its unique case-insensitive Item index keeps an address in the
// list once, whatever its letter case.
//
// The file belongs to one send run at a time, so it runs in WAL mode under an
// exclusive lock (no shared memory, which a network folder could not give). Its
// commits are durable against a killed process at once and against a power cut
// only from the next synced commit on: the run decides which commits sync.
class SendListTable {
public:
    static constexpr int kMaxNumber = 20000000;

    // Which rows a walk visits.
    enum class Rows {
        All,
        Pending,        // not yet handed over in this run: waiting or cancelled
        UnsentPending,  // pending and not marked Sent (a limited run's rows)
        NotAccepted,    // waiting, cancelled or refused: "Save Unsent List to File..."
        Refused,
    };

    SendListTable(SqliteConnection& connection, const QString& folder);
    ~SendListTable();  // detaches; the file stays
    SendListTable(const SendListTable&) = delete;
    SendListTable& operator=(const SendListTable&) = delete;

    // "SendMail.dat", else the first free "SendMail_" + n + ".dat", n = 2, 3, ...
    // (names compared without regard to case); empty when none is free.
    static QString uniqueFileName(const QString& folder);
    // "SendMail_" + n + ".dat".
    static QString numberedFileName(int n);
    // 1 for "SendMail.dat", n for "SendMail_n.dat", 0 for any other name.
    static int numberOf(const QString& fileName);
    static QString fileNameOf(int number);

    // CreateSendMailTable: without a name makes a new table under a unique name;
    // with one (no folder) reopens that existing file, upgrading a table from
    // before outcomes were recorded. On failure warns "An error was encountered
    // creating your temporary tables: " + the error and returns false.
    bool CreateSendMailTable(Ui& ui, const QString& fileName = {});
    // FreeSendMailTable: closes the table; deleteFiles also removes its files.
    // Errors are ignored.
    void FreeSendMailTable(bool deleteFiles);

    bool isOpen() const { return open_; }
    QString fileName() const { return fileName_; }  // without folder
    QString filePath() const;
    // The table's qualified name for statements ("sendlist_3"."sendlist").
    QString sqlName() const;
    SqliteConnection& connection() const { return db_; }

    // False when the address is there already (in any letter case).
    bool insertOrIgnore(const SendListRow& row);
    // Empties the table; the run's notes stay.
    void clear();
    qint64 count() const;
    qint64 unsentCount() const;
    void markSent(const QString& item);
    // The row of the address in any letter case, through the address index.
    std::optional<SendListRow> find(const QString& item) const;
    // Rows in address order; return false to stop.
    void walk(const std::function<bool(const SendListRow&)>& visit, Rows rows = Rows::All) const;
    // Up to count rows after the address (empty: from the start), in address order.
    QList<SendListRow> rowsAfter(const QString& item, int count, Rows rows) const;
    // The last row in address order.
    std::optional<SendListRow> lastRow() const;

    // Records the outcome of the rows. From in flight on a row is marked Sent (it
    // has been handed to the send method); a waiting, reserved or cancelled one is not.
    void setOutcome(const QStringList& items, const SendOutcome& outcome);
    // Every row back to waiting, for a run that sends to the whole table again.
    void resetOutcomes();
    // After a stop: rows in flight become uncertain; reserved rows become waiting
    // when the writes since the last synced commit are known to have survived
    // (only the process stopped), else uncertain too.
    void settleAfterStop(bool unsyncedWritesSurvived);
    SendListTally tally() const;

    // Whether each commit reaches the disk before it returns.
    void setSyncedCommits(bool synced);

    // The run's own notes (limit, count handed over, machine start), in the same file.
    QString runValue(const QString& key) const;
    void setRunValue(const QString& key, const QString& value);

private:
    QString schema() const;
    void openFile(const QString& file, bool create);
    void upgradeIfOlder();
    QString runTable() const;

    SqliteConnection& db_;
    QString folder_;
    QString fileName_;
    QString schema_;
    bool open_ = false;
};
