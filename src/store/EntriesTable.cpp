#include "store/EntriesTable.h"

#include "store/SqlFilter.h"
#include "store/SqliteConnection.h"
#include "store/StepProgress.h"
#include "store/TableSchema.h"

#include <QStringDecoder>
#include <array>
#include <optional>
#include <sqlite3.h>

namespace {

const TableDef& def() { return TableSchema::table(TableId::Entries); }

const QString& selectAll()
{
    static const QString sql =
        QStringLiteral("SELECT ") + TableSchema::columnList(def()) + QStringLiteral(" FROM mailist");
    return sql;
}

// Field 1 (Index) is the engine's; the others are written in field order.
QString writableColumns()
{
    QStringList names;
    for (int i = 1; i < def().fields.size(); ++i)
        names << TableSchema::quoted(def().fields[i].name);
    return names.join(QStringLiteral(", "));
}

const QString& insertSql()
{
    static const QString sql = QStringLiteral("INSERT INTO mailist (") + writableColumns() +
                               QStringLiteral(") VALUES (") +
                               QStringList(def().fields.size() - 1, QStringLiteral("?")).join(',') + ')';
    return sql;
}

const QString& updateSql()
{
    static const QString sql = [] {
        QStringList sets;
        for (int i = 1; i < def().fields.size(); ++i)
            sets << TableSchema::quoted(def().fields[i].name) + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE mailist SET ") + sets.join(QStringLiteral(", ")) +
               QStringLiteral(" WHERE \"Index\" = ?");
    }();
    return sql;
}

void bindOptional(Statement& s, int index, const std::optional<int>& value)
{
    value ? s.bind(index, *value) : s.bindNull(index);
}

// The text of the insert date last bound. The rows of a load mostly share one,
// and taking a local date and time apart costs as much as binding the rest of
// the row. Only local and UTC times are kept: for those, equal times in the same
// kind are equal texts.
class DateTexts {
public:
    const QString& of(const QDateTime& value)
    {
        const bool keepable = value.timeSpec() == Qt::LocalTime || value.timeSpec() == Qt::UTC;
        if (!keepable || value.timeSpec() != last_.timeSpec() || value != last_) {
            last_ = keepable ? value : QDateTime();
            text_ = isoDateTime(value);
        }
        return text_;
    }

private:
    QDateTime last_;  // invalid, with text_ null, at first
    QString text_;
};

// Binds fields 2..24 to parameters 1..23; returns the next parameter number.
int bindFields(Statement& s, const Entry& e, DateTexts& dates)
{
    const QList<FieldDef>& fields = def().fields;
    // Field i is parameter i. Most texts fit and are bound as they are.
    const auto text = [&](int field, const QString& value) {
        if (value.size() <= fields[field].size)
            s.bind(field, value);
        else
            s.bind(field, TableSchema::fit(fields[field], value));
    };
    text(1, e.Item);
    text(2, e.Category);
    s.bind(3, e.Bounces);
    text(4, e.Comments);
    text(5, e.Name);
    text(6, e.Salutation);
    s.bind(7, e.SendRights);
    text(8, e.Surname);
    text(9, e.Company);
    text(10, e.Address);
    text(11, e.City);
    text(12, e.State);
    text(13, e.ZIP);
    text(14, e.Country);
    e.LastBounce ? s.bind(15, *e.LastBounce) : s.bindNull(15);
    bindOptional(s, 16, e.Status);
    s.bind(17, e.NewUser);
    s.bind(18, e.SearchHit);
    s.bind(19, e.Tagged);
    s.bind(20, e.PlainText);
    s.bind(21, dates.of(e.InsertDate));  // a null text binds NULL
    bindOptional(s, 22, e.ExtraInt);
    e.ExtraBool ? s.bind(23, *e.ExtraBool) : s.bindNull(23);
    return 24;
}

// The column's text decoded into target, in target's own room when nobody else
// holds it: a walk then decodes row after row without allocating.
void decodeInto(QString& target, QByteArrayView utf8)
{
    if (utf8.isNull()) {
        target = QString();
        return;
    }
    const qsizetype length = utf8.size();
    if (target.isDetached())
        target.resize(length);
    else
        target = QString(length, Qt::Uninitialized);
    // Addresses and names are mostly ASCII: each byte is its character.
    char16_t* out = reinterpret_cast<char16_t*>(target.data());
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    unsigned high = 0;
    for (qsizetype i = 0; i < length; ++i) {
        out[i] = in[i];
        high |= in[i];
    }
    if (high < 0x80)
        return;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QChar* end = decoder.appendToBuffer(target.data(), utf8);  // never longer than the bytes
    target.truncate(end - target.constData());
}

template <typename T, typename Read>
std::optional<T> orNull(const Statement& s, int column, Read read)
{
    return s.isNull(column) ? std::nullopt : std::optional<T>((s.*read)(column));
}

// Reads the rows of one statement into one Entry, field by field. Groups,
// salutations, places and insert dates repeat down a list: a text whose bytes
// equal the previous row's in that column is shared, not decoded again.
class RowReader {
public:
    // Valid until the next read.
    const Entry& read(const Statement& s)
    {
        Entry& e = entry_;
        e.Index = s.integer64(0);
        decodeInto(e.Item, s.bytes(1));
        repeated(s, 2, e.Category);
        e.Bounces = s.integer(3);
        repeated(s, 4, e.Comments);
        decodeInto(e.Name, s.bytes(5));
        repeated(s, 6, e.Salutation);
        e.SendRights = s.isNull(7) || s.boolean(7);
        repeated(s, 8, e.Surname);
        repeated(s, 9, e.Company);
        repeated(s, 10, e.Address);
        repeated(s, 11, e.City);
        repeated(s, 12, e.State);
        repeated(s, 13, e.ZIP);
        repeated(s, 14, e.Country);
        e.LastBounce = orNull<QDate>(s, 15, &Statement::date);
        e.Status = orNull<int>(s, 16, &Statement::integer);
        e.NewUser = s.boolean(17);
        e.SearchHit = s.boolean(18);
        e.Tagged = s.boolean(19);
        e.PlainText = s.boolean(20);
        const QByteArrayView inserted = s.bytes(21);
        if (inserted != QByteArrayView(lastInsertBytes_)) {  // NULL and "" both read as no date
            lastInsertBytes_ = inserted.toByteArray();
            lastInsertDate_ = s.dateTime(21);
        }
        e.InsertDate = lastInsertDate_;
        e.ExtraInt = orNull<int>(s, 22, &Statement::integer);
        e.ExtraBool = orNull<bool>(s, 23, &Statement::boolean);
        return e;
    }

private:
    struct Last {
        QByteArray bytes;
        QString text;
    };

    void repeated(const Statement& s, int column, QString& target)
    {
        const QByteArrayView bytes = s.bytes(column);
        if (bytes.isNull()) {
            target = QString();
            return;
        }
        Last& last = last_[column];
        if (bytes != QByteArrayView(last.bytes) || last.bytes.isNull()) {
            last.bytes = bytes.toByteArray();
            last.text = QString::fromUtf8(bytes);
        }
        if (!target.isSharedWith(last.text))
            target = last.text;
    }

    Entry entry_;
    std::array<Last, 15> last_;
    QByteArray lastInsertBytes_;
    QDateTime lastInsertDate_;
};

void insertRow(Statement& s, const Entry& entry, DateTexts& dates)
{
    bindFields(s, entry, dates);
    s.run();
    s.reset();
}

std::optional<Entry> first(Statement& s)
{
    std::optional<Entry> found;
    if (s.step())
        found = RowReader().read(s);
    s.reset();
    return found;
}

QString whereClause(const SqlFilter& filter)
{
    return filter.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + filter.where;
}

// Virtual-machine steps between two progress reports, and a rough figure of the
// steps a whole-table statement takes per row, to turn steps into a percentage.
constexpr int kProgressOps = 20000;
constexpr qint64 kOpsPerRow = 40;

}  // namespace

EntriesTable::EntriesTable(SqliteConnection& connection) : db_(connection) {}

std::optional<Entry> EntriesTable::locate(const QString& item) const
{
    Statement& s = db_.cached(selectAll() + QStringLiteral(" WHERE Item = ? ORDER BY \"Index\" LIMIT 1"));
    s.bind(1, item);
    return first(s);
}

std::optional<Entry> EntriesTable::locate(const QString& item, const QString& category) const
{
    Statement& s = db_.cached(selectAll() +
                              QStringLiteral(" WHERE Item = ? AND Category = ? ORDER BY \"Index\" LIMIT 1"));
    s.bind(1, item).bind(2, category);
    return first(s);
}

QList<Entry> EntriesTable::locateAll(const QString& item, int limit) const
{
    Statement& s = db_.cached(selectAll() + QStringLiteral(" WHERE Item = ? ORDER BY Item, \"Index\" LIMIT ?"));
    s.bind(1, item).bind(2, limit);
    QList<Entry> rows;
    RowReader reader;
    while (s.step())
        rows.append(reader.read(s));
    s.reset();
    return rows;
}

std::optional<Entry> EntriesTable::byIndex(qint64 index) const
{
    Statement& s = db_.cached(selectAll() + QStringLiteral(" WHERE \"Index\" = ?"));
    s.bind(1, index);
    return first(s);
}

qint64 EntriesTable::insert(const Entry& entry)
{
    DateTexts dates;
    Statement& s = db_.cached(insertSql());
    insertRow(s, entry, dates);
    const qint64 index = db_.lastInsertId();
    if (afterPost)
        afterPost();
    return index;
}

void EntriesTable::insert(const QList<const Entry*>& rows)
{
    Statement& s = db_.cached(insertSql());
    DateTexts dates;
    for (const Entry* row : rows) {
        insertRow(s, *row, dates);
        if (afterPost)
            afterPost();
    }
}

void EntriesTable::post(const Entry& entry)
{
    Statement& s = db_.cached(updateSql());
    DateTexts dates;
    const int next = bindFields(s, entry, dates);
    s.bind(next, entry.Index);
    const int changed = s.run();
    s.reset();
    if (changed == 0)
        throw StoreError(StoreError::Kind::Other, SQLITE_NOTFOUND,
                         QStringLiteral("The entry %1 (Index %2) is no longer in the table")
                             .arg(entry.Item)
                             .arg(entry.Index));
    if (afterPost)
        afterPost();
}

void EntriesTable::remove(qint64 index)
{
    if (beforeDelete)
        beforeDelete(index);
    Statement& s = db_.cached(QStringLiteral("DELETE FROM mailist WHERE \"Index\" = ?"));
    s.bind(1, index);
    s.run();
    s.reset();
    if (afterDelete)
        afterDelete(index);
}

qint64 EntriesTable::count() const
{
    Statement& s = db_.cached(QStringLiteral("SELECT count(*) FROM mailist"));
    s.step();
    const qint64 n = s.integer64(0);
    s.reset();
    return n;
}

qint64 EntriesTable::count(const SqlFilter& filter) const
{
    // Filters come in as many shapes as views and searches make: caching each one's
    // statement would grow the cache for as long as the program runs.
    Statement s(db_, QStringLiteral("SELECT count(*) FROM mailist") + whereClause(filter));
    s.bindAll(filter.params);
    s.step();
    return s.integer64(0);
}

void EntriesTable::walk(const std::function<bool(const Entry&)>& visit) const
{
    walk(SqlFilter{}, visit);
}

void EntriesTable::walk(const SqlFilter& filter, const std::function<bool(const Entry&)>& visit) const
{
    // A statement of its own: the visitor may locate or walk again.
    Statement s(db_, selectAll() + whereClause(filter) + QStringLiteral(" ORDER BY Item, \"Index\""));
    s.bindAll(filter.params);
    RowReader reader;
    while (s.step())
        if (!visit(reader.read(s)))
            break;
}

int EntriesTable::execute(const QString& sql, const QVariantList& params,
                          const std::function<void(int percent)>& progress)
{
    Statement s(db_, sql);  // not cached, for the same reason as a filter's count
    s.bindAll(params);
    std::optional<StepProgress> steps;
    if (progress)
        steps.emplace(db_, count() * kOpsPerRow, kProgressOps, progress);
    const int changed = s.run();
    steps.reset();
    if (progress)
        progress(100);
    return changed;
}

int EntriesTable::markSearchHits(const SqlFilter& condition, const std::function<void(int percent)>& progress)
{
    // Most rows keep their flag from one search to the next; rewriting them all
    // would cost a row write and an index update each.
    const QString hit = condition.where.isEmpty() ? QStringLiteral("1")
                                                  : QStringLiteral("coalesce((%1), 0)").arg(condition.where);
    return execute(QStringLiteral("UPDATE mailist SET SearchHit = %1 WHERE coalesce(SearchHit, 0) <> %1").arg(hit),
                   condition.params + condition.params, progress);
}
