#pragma once

#include <QString>
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
};

// The per-send recipient table (tblSendList): its own file in the database folder,
// attached exclusively to the database's connection so statements can fill it from
// the entries table. Its unique case-insensitive Item index keeps an address in the
// list once, whatever its letter case.
class SendListTable {
public:
    static constexpr int kMaxNumber = 20000000;

    SendListTable(SqliteConnection& connection, const QString& folder);
    ~SendListTable();  // detaches; the file stays
    SendListTable(const SendListTable&) = delete;
    SendListTable& operator=(const SendListTable&) = delete;

    // "SendMail.dat", else the first free "SendMail_" + n + ".dat", n = 2, 3, ...
    // (names compared without regard to case); empty when none is free.
    static QString uniqueFileName(const QString& folder);
    // "SendMail_" + n + ".dat".
    static QString numberedFileName(int n);

    // CreateSendMailTable: without a name makes a new table under a unique name;
    // with one (no folder) reopens that existing file. On failure warns "An error was
    // encountered creating your temporary tables: " + the error and returns false.
    bool CreateSendMailTable(Ui& ui, const QString& fileName = {});
    // FreeSendMailTable: closes the table; deleteFiles also removes its files.
    // Errors are ignored.
    void FreeSendMailTable(bool deleteFiles);

    bool isOpen() const { return open_; }
    QString fileName() const { return fileName_; }  // without folder
    // The table's qualified name for statements ("sendlist_3"."sendlist").
    QString sqlName() const;

    // False when the address is there already (in any letter case).
    bool insertOrIgnore(const SendListRow& row);
    qint64 count() const;
    qint64 unsentCount() const;
    void markSent(const QString& item);
    // The row of the address in any letter case, through the address index.
    std::optional<SendListRow> find(const QString& item) const;
    // Rows in the order they were added; return false to stop.
    void walk(const std::function<bool(const SendListRow&)>& visit, bool unsentOnly = false) const;

private:
    QString schema() const;
    void openFile(const QString& file, bool create);

    SqliteConnection& db_;
    QString folder_;
    QString fileName_;
    QString schema_;
    bool open_ = false;
};
