#pragma once

#include "store/StoreError.h"
#include "store/UnicodeCollation.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Dates are kept as ISO 8601 text so that text comparison orders them.
QString isoDate(const QDate& date);
QString isoDateTime(const QDateTime& dateTime);
QDate dateFromIso(const QString& text);
QDateTime dateTimeFromIso(const QString& text);

class SqliteConnection;

// One prepared statement. Parameters are numbered from 1, columns from 0.
class Statement {
public:
    Statement(SqliteConnection& connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const QString& value);
    Statement& bind(int index, int value);
    Statement& bind(int index, qint64 value);
    Statement& bind(int index, bool value);
    Statement& bind(int index, const QDate& value);      // null date binds NULL
    Statement& bind(int index, const QDateTime& value);  // invalid binds NULL
    Statement& bind(int index, const QVariant& value);
    Statement& bindNull(int index);
    void bindAll(const QVariantList& values);  // from parameter 1 on

    // True while a row is ready; false when done. Failures throw StoreError.
    bool step();
    void reset();  // ready to run again; bindings are cleared
    // Runs to the end; returns the rows changed.
    int run();

    int columnCount() const;
    bool isNull(int column) const;
    QString text(int column) const;
    // The column's UTF-8 bytes as SQLite holds them, valid until the next step or
    // the next read of the column in another form; a null view for NULL.
    QByteArrayView bytes(int column) const;
    int integer(int column) const;
    qint64 integer64(int column) const;
    bool boolean(int column) const;
    QDate date(int column) const;          // NULL reads as a null date
    QDateTime dateTime(int column) const;  // NULL reads as an invalid one
    QVariant value(int column) const;

    sqlite3_stmt* handle() const { return stmt_; }

private:
    SqliteConnection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
    // The UTF-8 form of each bound text, one buffer per parameter, reused from
    // one binding to the next; SQLite reads them in place.
    std::vector<QByteArray> texts_;
};

// A connection with the Unicode collation and function, the lock retries
// (15 tries, 100 ms apart) and synchronous=FULL. Owns a cache of prepared
// statements that callers reuse for speed.
class SqliteConnection {
public:
    static constexpr int kLockRetries = 15;
    static constexpr int kLockWaitMs = 100;

    // ":memory:" or a file; a file is created only when create is set.
    explicit SqliteConnection(const QString& path = QStringLiteral(":memory:"), bool create = true);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Closes the connection (its cached statements too) and opens path in its
    // place, keeping the commit guard; nothing may be attached or in a transaction.
    void reopen(const QString& path, bool create);
    const QString& path() const { return path_; }

    void exec(const QString& sql);
    // One statement without rows, prepared once and kept: for the statements a
    // hot path runs again and again (transaction control, say).
    void execCached(const QString& sql);
    // First column of the first row, or an invalid QVariant.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    qint64 lastInsertId() const;
    int changes() const;
    bool inTransaction() const;

    // Attaches an existing file under the schema name (never creates it).
    void attach(const QString& file, const QString& schema, bool create = false);
    void detach(const QString& schema);

    // A prepared statement kept for reuse, reset and unbound on every call.
    // Not for statements whose rows are still being read when the next call comes.
    Statement& cached(const QString& sql);
    void clearCache();

    // Progress callback invoked every `ops` virtual-machine steps while set. An
    // exception it throws interrupts the statement, which is rolled back, and is
    // thrown again to the statement's caller.
    void setProgressHandler(int ops, std::function<void()> handler);

    // Asked at every commit; a non-empty answer rolls the transaction back, and the
    // statement that committed fails with that answer as its StoreError's text.
    void setCommitGuard(std::function<QString()> check);

    // Savepoint depth used by Transaction.
    int& transactionDepth() { return depth_; }

    sqlite3* handle() const { return db_; }
    // Whether texts are held as UTF-8 (they are in every file the program makes;
    // attached files share the encoding of the first).
    bool isUtf8() const { return utf8_; }
    // Turns a result code into a StoreError naming what was being done, or throws
    // on what the progress handler threw when that is why the statement stopped.
    [[noreturn]] void fail(int rc, const QString& doing, QString message = {});
    void check(int rc, const QString& doing);

private:
    void open(const QString& path, bool create);

    struct Progress {
        std::function<void()> handler;
        std::exception_ptr error;  // what the handler threw, until fail() throws it on
    };
    static int progressTrampoline(void* progress);
    struct CommitGuard {
        std::function<QString()> check;
        QString refusal;  // why the last commit was refused, until fail() throws it
    };
    static int commitTrampoline(void* guard);

    sqlite3* db_ = nullptr;
    QString path_;
    QHash<QString, std::shared_ptr<Statement>> cache_;
    Progress progress_;
    CommitGuard commitGuard_;
    int depth_ = 0;
    bool utf8_ = true;
};

// The StoreError class of a SQLite result code. fileExists tells whether a
// "cannot open" concerned a file that is there (then it is damaged or unreadable).
StoreError::Kind storeErrorKind(int rc, bool fileExists = true);
