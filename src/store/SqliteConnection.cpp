#include "store/SqliteConnection.h"


#include <QFileInfo>
#include <QStringEncoder>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <sqlite3.h>

namespace {

constexpr const char* kIsoDate = "yyyy-MM-dd";
constexpr const char* kIsoDateTime = "yyyy-MM-ddTHH:mm:ss";

int busyHandler(void*, int count)
{
    if (count >= SqliteConnection::kLockRetries)
        return 0;
    QThread::msleep(SqliteConnection::kLockWaitMs);
    return 1;
}

QString fileUri(const QString& file, bool create)
{
    const QByteArray encoded = QUrl::toPercentEncoding(QFileInfo(file).absoluteFilePath(), "/");
    return QStringLiteral("file:") + QString::fromLatin1(encoded) +
           (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
}

}  // namespace

namespace {

// Writes value as count decimal digits, zero-padded, at out.
void putDigits(char16_t* out, int value, int count)
{
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = char16_t(u'0' + value % 10);
}

}  // namespace

// Fixed-width forms, written and read by hand: Qt's general date parser and
// formatter cost more than the rest of reading or writing a row.
QString isoDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 0 || date.year() > 9999)
        return date.isValid() ? date.toString(QLatin1String(kIsoDate)) : QString();
    QString text(10, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    putDigits(out, date.year(), 4);
    out[4] = u'-';
    putDigits(out + 5, date.month(), 2);
    out[7] = u'-';
    putDigits(out + 8, date.day(), 2);
    return text;
}

QString isoDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return {};
    const QTime t = dateTime.time();
    QString text = isoDate(dateTime.date());
    if (text.size() != 10)
        return dateTime.toString(QLatin1String(kIsoDateTime));
    text.resize(19);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    out[10] = u'T';
    putDigits(out + 11, t.hour(), 2);
    out[13] = u':';
    putDigits(out + 14, t.minute(), 2);
    out[16] = u':';
    putDigits(out + 17, t.second(), 2);
    return text;
}

namespace {

// The stored forms are read from UTF-16 (a QString) or straight from a column's
// UTF-8 bytes (no QString in between) by the same code.
QString toQString(const QChar* text, qsizetype length) { return QString(text, length); }
QString toQString(const char* text, qsizetype length) { return QString::fromUtf8(text, length); }
unsigned code(QChar c) { return c.unicode(); }
unsigned code(char c) { return static_cast<unsigned char>(c); }

// The number written in count ASCII digits; ok turns false at any other character.
template <typename Char>
int number(const Char* text, int count, bool& ok)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned digit = code(text[i]) - unsigned('0');
        ok = ok && digit < 10;
        value = value * 10 + int(digit);
    }
    return value;
}

// "yyyy-MM-dd" (also at the start of a longer text); other forms through Qt's parser.
template <typename Char>
QDate parseDate(const Char* text, qsizetype length)
{
    if (length < 10 || text[4] != '-' || text[7] != '-')
        return QDate::fromString(toQString(text, length), QLatin1String(kIsoDate));
    bool ok = true;
    const QDate date(number(text, 4, ok), number(text + 5, 2, ok), number(text + 8, 2, ok));
    return ok ? date : QDate();
}

// "yyyy-MM-ddTHH:mm:ss" (or with a space), a bare date at midnight; other forms through Qt's parser.
template <typename Char>
QDateTime parseDateTime(const Char* text, qsizetype length)
{
    if (length == 10)
        return QDateTime(parseDate(text, length), QTime(0, 0));
    if (length == 19 && (text[10] == 'T' || text[10] == ' ') && text[13] == ':' && text[16] == ':') {
        bool ok = true;
        const QDate date = parseDate(text, length);
        const QTime time(number(text + 11, 2, ok), number(text + 14, 2, ok), number(text + 17, 2, ok));
        if (ok && date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    return QDateTime::fromString(toQString(text, length), QLatin1String(kIsoDateTime));
}

}  // namespace

QDate dateFromIso(const QString& text) { return parseDate(text.constData(), text.size()); }
QDateTime dateTimeFromIso(const QString& text) { return parseDateTime(text.constData(), text.size()); }

StoreError::Kind storeErrorKind(int rc, bool fileExists)
{
    switch (rc & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_IOERR:
        return StoreError::Kind::Damaged;
    case SQLITE_CANTOPEN:
        return fileExists ? StoreError::Kind::Damaged : StoreError::Kind::Other;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError::Kind::Locked;
    default:
        return StoreError::Kind::Other;
    }
}

// ---- Statement ----

Statement::Statement(SqliteConnection& connection, const QString& sql) : connection_(connection)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(connection.handle(), utf8.constData(), int(utf8.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        connection.fail(rc, sql);
    }
    texts_.resize(sqlite3_bind_parameter_count(stmt_) + 1);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, const QString& value)
{
    if (value.isNull())
        return bindNull(index);
    if (index <= 0 || size_t(index) >= texts_.size())
        connection_.fail(SQLITE_RANGE, QStringLiteral("binding a value"), QStringLiteral("column index out of range"));
    // Encoded into the parameter's own buffer, which keeps its room from row to
    // row: no allocation, and SQLite reads it without a copy of its own (it stays
    // unchanged until the parameter is bound again or the statement is gone).
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray& utf8 = texts_[index];
    if (const qsizetype room = encoder.requiredSpace(value.size()); utf8.size() < room)
        utf8.resize(room);
    // Most texts are ASCII: each character is its byte.
    char* out = utf8.data();
    const auto* in = reinterpret_cast<const char16_t*>(value.constData());
    const qsizetype length = value.size();
    char16_t high = 0;
    for (qsizetype i = 0; i < length; ++i) {
        out[i] = char(in[i]);
        high |= in[i];
    }
    const char* end = high < 0x80 ? out + length : encoder.appendToBuffer(out, value);
    connection_.check(sqlite3_bind_text(stmt_, index, out, int(end - out), SQLITE_STATIC),
                      QStringLiteral("binding a value"));
    return *this;
}

Statement& Statement::bind(int index, int value)
{
    connection_.check(sqlite3_bind_int(stmt_, index, value), QStringLiteral("binding a value"));
    return *this;
}

Statement& Statement::bind(int index, qint64 value)
{
    connection_.check(sqlite3_bind_int64(stmt_, index, value), QStringLiteral("binding a value"));
    return *this;
}

Statement& Statement::bind(int index, bool value) { return bind(index, value ? 1 : 0); }

Statement& Statement::bind(int index, const QDate& value)
{
    return value.isValid() ? bind(index, isoDate(value)) : bindNull(index);
}

Statement& Statement::bind(int index, const QDateTime& value)
{
    return value.isValid() ? bind(index, isoDateTime(value)) : bindNull(index);
}

Statement& Statement::bind(int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return bind(index, value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        return bind(index, value.toInt());
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return bind(index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        connection_.check(sqlite3_bind_double(stmt_, index, value.toDouble()),
                          QStringLiteral("binding a value"));
        return *this;
    case QMetaType::QDate:
        return bind(index, value.toDate());
    case QMetaType::QDateTime:
        return bind(index, value.toDateTime());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        connection_.check(sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()),
                                            SQLITE_TRANSIENT),
                          QStringLiteral("binding a value"));
        return *this;
    }
    default:
        return bind(index, value.toString());
    }
}

Statement& Statement::bindNull(int index)
{
    connection_.check(sqlite3_bind_null(stmt_, index), QStringLiteral("binding a value"));
    return *this;
}

void Statement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString message = QString::fromUtf8(sqlite3_errmsg(connection_.handle()));
    sqlite3_reset(stmt_);
    connection_.fail(rc, QString::fromUtf8(sqlite3_sql(stmt_)), message);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::run()
{
    while (step()) {
    }
    return connection_.changes();
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }
bool Statement::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

QString Statement::text(int column) const
{
    const QByteArrayView utf8 = bytes(column);
    return utf8.isNull() ? QString() : QString::fromUtf8(utf8);
}

QByteArrayView Statement::bytes(int column) const
{
    // A text read as a blob is its stored bytes in place; read as text, SQLite
    // first copies it to end it with a zero. Stored as UTF-16, it must be converted.
    if (connection_.isUtf8()) {
        // One call into the statement; the connection's single thread may read
        // the value it gives directly.
        sqlite3_value* value = sqlite3_column_value(stmt_, column);
        if (sqlite3_value_type(value) == SQLITE_NULL)
            return {};
        const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
        return data ? QByteArrayView(data, sqlite3_value_bytes(value)) : QByteArrayView("", 0);
    }
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!data)
        return {};
    return QByteArrayView(data, sqlite3_column_bytes(stmt_, column));
}

QDate Statement::date(int column) const
{
    const QByteArrayView utf8 = bytes(column);
    return utf8.isNull() ? QDate() : parseDate(utf8.data(), utf8.size());
}

QDateTime Statement::dateTime(int column) const
{
    const QByteArrayView utf8 = bytes(column);
    return utf8.isNull() ? QDateTime() : parseDateTime(utf8.data(), utf8.size());
}

int Statement::integer(int column) const { return sqlite3_column_int(stmt_, column); }
qint64 Statement::integer64(int column) const { return sqlite3_column_int64(stmt_, column); }
bool Statement::boolean(int column) const { return sqlite3_column_int(stmt_, column) != 0; }

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return integer64(column);
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt_, column);
    case SQLITE_TEXT:
        return text(column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                          sqlite3_column_bytes(stmt_, column));
    default:
        return {};
    }
}

// ---- SqliteConnection ----

SqliteConnection::SqliteConnection(const QString& path, bool create) : path_(path)
{
    open(path, create);
}

void SqliteConnection::reopen(const QString& path, bool create)
{
    cache_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    path_ = path;
    open(path, create);
}

void SqliteConnection::open(const QString& path, bool create)
{
    const bool memory = path == QLatin1String(":memory:");
    const bool existed = !memory && QFileInfo::exists(path);
    const QByteArray name = memory ? QByteArray(":memory:") : fileUri(path, create).toUtf8();
    // A connection is used by one thread only, so it needs no locks of its own.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(storeErrorKind(rc, existed), rc, text + QStringLiteral(" (") + path + ')');
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, busyHandler, nullptr);
    sqlite3_commit_hook(db_, commitTrampoline, &commitGuard_);
    try {
        check(registerUnicodeFunctions(db_), QStringLiteral("registering the Unicode collation"));
        // A damaged file opens but fails here, at its first read: the destructor
        // does not run for a half-made object, so the handle is closed here.
        utf8_ = scalar(QStringLiteral("PRAGMA encoding")).toString() == QLatin1String("UTF-8");
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        // Statement journals and sorts stay in memory; on disk they cost a write per row.
        exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
        // Worker threads for the sorter (used when sorts may spill to files, as index builds do).
        exec(QStringLiteral("PRAGMA threads=%1").arg(std::max(1, QThread::idealThreadCount())));
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
}

int SqliteConnection::commitTrampoline(void* guard)
{
    auto* commit = static_cast<CommitGuard*>(guard);
    commit->refusal = commit->check ? commit->check() : QString();
    return commit->refusal.isEmpty() ? 0 : 1;  // non-zero turns the commit into a rollback
}

void SqliteConnection::setCommitGuard(std::function<QString()> check)
{
    commitGuard_.check = std::move(check);
}

SqliteConnection::~SqliteConnection()
{
    cache_.clear();
    sqlite3_close_v2(db_);
}

void SqliteConnection::exec(const QString& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        fail(rc, sql);
}

void SqliteConnection::execCached(const QString& sql)
{
    Statement& statement = cached(sql);
    statement.run();
    statement.reset();
}

QVariant SqliteConnection::scalar(const QString& sql, const QVariantList& params)
{
    Statement statement(*this, sql);
    statement.bindAll(params);
    return statement.step() ? statement.value(0) : QVariant();
}

qint64 SqliteConnection::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }
int SqliteConnection::changes() const { return sqlite3_changes(db_); }
bool SqliteConnection::inTransaction() const { return !sqlite3_get_autocommit(db_); }

void SqliteConnection::attach(const QString& file, const QString& schema, bool create)
{
    Statement statement(*this, QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(schema));
    statement.bind(1, fileUri(file, create));
    try {
        statement.run();
    } catch (const StoreError& error) {
        const bool existed = QFileInfo::exists(file);
        throw StoreError(storeErrorKind(error.code(), existed), error.code(),
                         error.text() + QStringLiteral(" (") + file + ')');
    }
}

void SqliteConnection::detach(const QString& schema)
{
    exec(QStringLiteral("DETACH DATABASE \"%1\"").arg(schema));
}

Statement& SqliteConnection::cached(const QString& sql)
{
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.insert(sql, std::make_shared<Statement>(*this, sql));
    else
        it.value()->reset();
    return *it.value();
}

void SqliteConnection::clearCache() { cache_.clear(); }

// An exception must not unwind through SQLite's own frames: it is kept, and the
// non-zero answer makes the statement stop with SQLITE_INTERRUPT.
int SqliteConnection::progressTrampoline(void* progress)
{
    auto& p = *static_cast<Progress*>(progress);
    if (p.error)
        return 1;
    try {
        p.handler();
    } catch (...) {
        p.error = std::current_exception();
        return 1;
    }
    return 0;
}

void SqliteConnection::setProgressHandler(int ops, std::function<void()> handler)
{
    progress_.handler = std::move(handler);
    progress_.error = nullptr;
    if (progress_.handler)
        sqlite3_progress_handler(db_, ops, progressTrampoline, &progress_);
    else
        sqlite3_progress_handler(db_, 0, nullptr, nullptr);
}

void SqliteConnection::fail(int rc, const QString& doing, QString message)
{
    if (progress_.error)  // the statement stopped for the progress handler's exception
        std::rethrow_exception(std::exchange(progress_.error, nullptr));
    if (rc == SQLITE_CONSTRAINT_COMMITHOOK && !commitGuard_.refusal.isEmpty())
        throw StoreError(StoreError::Kind::Other, rc, std::exchange(commitGuard_.refusal, QString()));
    // The engine notices by itself, at some writes, that a file was moved away
    // under it; the guard knows which table that was.
    if (rc == SQLITE_READONLY_DBMOVED && commitGuard_.check) {
        const QString replaced = commitGuard_.check();
        if (!replaced.isEmpty())
            throw StoreError(StoreError::Kind::Other, rc, replaced);
    }
    if (message.isEmpty() && db_)
        message = QString::fromUtf8(sqlite3_errmsg(db_));
    throw StoreError(storeErrorKind(rc), rc,
                     message + QStringLiteral(" [") + doing.simplified().left(200) + ']');
}

void SqliteConnection::check(int rc, const QString& doing)
{
    if (rc != SQLITE_OK)
        fail(rc, doing);
}
