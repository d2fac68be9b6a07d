#include "store/TableSchema.h"

#include "store/SqliteConnection.h"

namespace {

using F = FieldType;

TableDef makeEntries()
{
    return {QStringLiteral("mailist"),
            QStringLiteral("mailist.dat"),
            {{"Index", F::AutoInc},
             {"Item", F::String, 80},
             {"Category", F::String, 80},
             {"Bounces", F::Integer, 0, "0"},
             {"Comments", F::String, 80},
             {"Name", F::String, 50},
             {"Salutation", F::String, 25},
             {"SendRights", F::Boolean, 0, "1"},
             {"Surname", F::String, 25},
             {"Company", F::String, 50},
             {"Address", F::String, 60},
             {"City", F::String, 25},
             {"State", F::String, 10},
             {"ZIP", F::String, 10},
             {"Country", F::String, 25},
             {"LastBounce", F::Date},
             {"Status", F::Integer},
             {"NewUser", F::Boolean},
             {"SearchHit", F::Boolean},
             {"Tagged", F::Boolean},
             {"PlainText", F::Boolean},
             {"InsertDate", F::DateTime},
             {"ExtraInt", F::Integer},
             {"ExtraBool", F::Boolean}},
            {{"ByCategory", {"Category"}},
             {"ByBounce", {"Bounces"}},
             {"ByItem", {"Item"}},
             {"ByName", {"Name"}},
             {"BySearchHit", {"SearchHit"}}},
            true};
}

TableDef makeStatistics()
{
    return {QStringLiteral("mailstat"),
            QStringLiteral("mailstat.dat"),
            {{"Date", F::Date, 0, {}, true},
             {"Subscribes", F::Integer},
             {"Unsubscribes", F::Integer},
             {"Bounces", F::Integer},
             {"Notes", F::String, 200},
             {"Total", F::Integer}},
            {{"ByDate", {"Date"}, true}}};
}

TableDef makeGroupStatistics()
{
    return {QStringLiteral("mailsubs"),
            QStringLiteral("mailsubs.dat"),
            {{"Index", F::AutoInc},
             {"Date", F::Date},
             {"Category", F::String, 80},
             {"Count", F::Integer}},
            {{"ByDateCategory", {"Date", "Category"}, true}, {"ByCategory", {"Category"}}}};
}

TableDef makeLog()
{
    return {QStringLiteral("maillog"),
            QStringLiteral("maillog.dat"),
            {{"Index", F::AutoInc},
             {"Date", F::Date},
             {"Recipients", F::String, 40},
             {"RecipientString", F::String, 200},
             {"RecipientCount", F::Integer},
             {"Subject", F::String, 120},
             {"Body", F::Memo},
             {"IsHTML", F::Boolean},
             {"CustomHTML", F::Boolean},
             {"Attachments", F::Memo},
             {"Comments", F::String, 200},
             {"ExtraInt", F::Integer},
             {"ExtraBool", F::Boolean}},
            {{"BySubject", {"Subject"}}}};
}

TableDef makeSchedules()
{
    return {QStringLiteral("mailschd"),
            QStringLiteral("mailschd.dat"),
            {{"Index", F::AutoInc},
             {"BatchName", F::String, 50},
             {"StartDate", F::DateTime},
             {"NextSend", F::DateTime},
             {"Frequency", F::Integer},
             {"SendCount", F::Integer},
             {"RecipientTotal", F::Integer},
             {"RecipientSent", F::Integer},
             {"Subject", F::String, 200},
             {"Body", F::Memo},
             {"HTML", F::Boolean},
             {"Customized", F::Boolean},
             {"Attachments", F::Memo},
             {"SendType", F::Integer},
             {"SendTable", F::Blob},
             {"Status", F::Integer},
             {"SendTableFile", F::String, 250}},
            {}};
}

TableDef makeSendList()
{
    return {QStringLiteral("sendlist"),
            QStringLiteral("SendMail.dat"),
            {{"Item", F::String, 80},
             {"Name", F::String, 50},
             {"Salutation", F::String, 25},
             {"Surname", F::String, 25},
             {"Company", F::String, 50},
             {"Sent", F::Boolean},
             {"Outcome", F::Memo}},
            {{"ByItem", {"Item"}, true}},
            true};
}

// A check run's record of the messages it acted on, kept in the entries table's
// file so it commits in the same transaction as the change a message caused.
TableDef makeHandledMessages()
{
    return {QStringLiteral("HandledMessages"),
            QStringLiteral("mailist.dat"),
            {{"MessageKey", F::String, 500, {}, true},
             {"MessageId", F::String, 250},
             {"Handled", F::DateTime}},
            {{"ByKey", {"MessageKey"}, true}, {"ByHandled", {"Handled"}}},
            true};
}

// Acknowledgements and forwards waiting to be sent, queued with the change they
// report so that a crash neither loses nor invents one.
TableDef makeOutbox()
{
    return {QStringLiteral("Outbox"),
            QStringLiteral("mailist.dat"),
            {{"Index", F::AutoInc},
             {"Kind", F::String, 20},
             {"Recipient", F::String, 250},
             {"Detail", F::Memo},
             {"Created", F::DateTime},
             {"Sent", F::DateTime}},
            {},
            true};
}

QString typeSql(const FieldDef& field)
{
    switch (field.type) {
    case F::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case F::String:
        // Text comparisons and indexes of every text field ignore letter case.
        return QStringLiteral("VARCHAR(%1) COLLATE %2").arg(field.size).arg(kUnicodeNoCase);
    case F::Integer:
        return QStringLiteral("INTEGER");
    case F::Boolean:
        return QStringLiteral("BOOLEAN");
    case F::Date:
    case F::DateTime:
    case F::Memo:
        return QStringLiteral("TEXT");
    case F::Blob:
        return QStringLiteral("BLOB");
    }
    return {};
}

QString fieldSql(const FieldDef& field)
{
    QString sql = TableSchema::quoted(field.name) + ' ' + typeSql(field);
    if (field.required)
        sql += QStringLiteral(" NOT NULL");
    if (!field.defaultValue.isEmpty())
        sql += QStringLiteral(" DEFAULT ") + field.defaultValue;
    return sql;
}

QList<const FieldDef*> sizedFields(const TableDef& def)
{
    QList<const FieldDef*> sized;
    for (const FieldDef& field : def.fields)
        if (field.type == F::String)
            sized.append(&field);
    return sized;
}

// After a write, a text longer than its field is cut in place. Recursive
// triggers are off, so the trigger's own update does not fire it again. Where
// the writers cut texts themselves only updates (free SQL) keep the trigger.
QStringList fitTriggers(const TableDef& def, const QString& schema)
{
    const QList<const FieldDef*> sized = sizedFields(def);
    if (sized.isEmpty())
        return {};
    QStringList tooLong, cuts, names;
    for (const FieldDef* field : sized) {
        const QString name = TableSchema::quoted(field->name);
        tooLong << QStringLiteral("length(NEW.%1) > %2").arg(name).arg(field->size);
        cuts << QStringLiteral("%1 = substr(%1, 1, %2)").arg(name).arg(field->size);
        names << name;
    }
    const QString table = TableSchema::quoted(def.sqlName);
    const QString body = QStringLiteral(" WHEN %1 BEGIN UPDATE %2 SET %3 WHERE rowid = NEW.rowid; END")
                             .arg(tooLong.join(QStringLiteral(" OR ")), table,
                                  cuts.join(QStringLiteral(", ")));
    const QString prefix = QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"%1\".\"%2_fit_").arg(schema, def.sqlName);
    QStringList triggers{prefix + QStringLiteral("update\" AFTER UPDATE OF ") + names.join(QStringLiteral(", ")) +
                         QStringLiteral(" ON ") + table + body};
    if (!def.writersCut)
        triggers << prefix + QStringLiteral("insert\" AFTER INSERT ON ") + table + body;
    return triggers;
}

}  // namespace

QStringList TableDef::fieldNames() const
{
    QStringList names;
    for (const FieldDef& f : fields)
        names << f.name;
    return names;
}

const FieldDef* TableDef::field(const QString& name) const
{
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

TableDef TableDef::prefix(int count, const QStringList& indexNames) const
{
    TableDef copy{sqlName, fileName, fields.mid(0, count), {}};
    for (const IndexDef& index : indexes)
        if (indexNames.contains(index.name))
            copy.indexes.append(index);
    return copy;
}

namespace TableSchema {

const TableDef& table(TableId id)
{
    static const TableDef entries = makeEntries();
    static const TableDef statistics = makeStatistics();
    static const TableDef log = makeLog();
    static const TableDef groupStatistics = makeGroupStatistics();
    static const TableDef schedules = makeSchedules();
    switch (id) {
    case TableId::Entries:
        return entries;
    case TableId::Statistics:
        return statistics;
    case TableId::Log:
        return log;
    case TableId::GroupStatistics:
        return groupStatistics;
    case TableId::Schedules:
        break;
    }
    return schedules;
}

const QList<TableDef>& companions(TableId id)
{
    static const QList<TableDef> ofEntries = {makeHandledMessages(), makeOutbox()};
    static const QList<TableDef> none;
    return id == TableId::Entries ? ofEntries : none;
}

const TableDef& sendList()
{
    static const TableDef def = makeSendList();
    return def;
}

QString quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

QString columnList(const TableDef& def)
{
    QStringList names;
    for (const FieldDef& f : def.fields)
        names << quoted(f.name);
    return names.join(QStringLiteral(", "));
}

void create(SqliteConnection& connection, const TableDef& def, const QString& schema)
{
    QStringList fields;
    for (const FieldDef& f : def.fields)
        fields << fieldSql(f);
    connection.exec(QStringLiteral("CREATE TABLE \"%1\".%2 (%3)")
                        .arg(schema, quoted(def.sqlName), fields.join(QStringLiteral(", "))));
    createIndexesAndTriggers(connection, def, schema);
}

void createIndexesAndTriggers(SqliteConnection& connection, const TableDef& def,
                              const QString& schema)
{
    for (const IndexDef& index : def.indexes)
        createIndex(connection, def, index, schema);
    if (def.writersCut)  // a file made before its writers cut texts themselves
        connection.exec(QStringLiteral("DROP TRIGGER IF EXISTS \"%1\".\"%2_fit_insert\"").arg(schema, def.sqlName));
    for (const QString& trigger : fitTriggers(def, schema))
        connection.exec(trigger);
}

QString indexName(const TableDef& def, const IndexDef& index) { return def.sqlName + '_' + index.name; }

void createIndex(SqliteConnection& connection, const TableDef& def, const IndexDef& index, const QString& schema)
{
    QStringList fields;
    for (const QString& f : index.fields)
        fields << quoted(f);
    connection.exec(QStringLiteral("CREATE %1INDEX IF NOT EXISTS \"%2\".%3 ON %4 (%5)")
                        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), schema,
                             quoted(indexName(def, index)), quoted(def.sqlName), fields.join(QStringLiteral(", "))));
}

QList<IndexDef> missingIndexes(SqliteConnection& connection, const TableDef& def, const QString& schema)
{
    Statement present(connection,
                      QStringLiteral("SELECT name FROM \"%1\".sqlite_master WHERE type = 'index'").arg(schema));
    QStringList names;
    while (present.step())
        names << present.text(0);
    QList<IndexDef> missing;
    for (const IndexDef& index : def.indexes)
        if (!names.contains(indexName(def, index), Qt::CaseInsensitive))
            missing << index;
    return missing;
}

void dropIndexesAndTriggers(SqliteConnection& connection, const QString& schema,
                            const QString& tableName)
{
    Statement list(connection,
                   QStringLiteral("SELECT type, name FROM \"%1\".sqlite_master "
                                  "WHERE tbl_name = ? COLLATE NOCASE AND type IN ('index', 'trigger') "
                                  "AND sql IS NOT NULL")
                       .arg(schema));
    list.bind(1, tableName);
    QStringList drops;
    while (list.step())
        drops << QStringLiteral("DROP %1 \"%2\".%3").arg(list.text(0).toUpper(), schema, quoted(list.text(1)));
    for (const QString& drop : drops)
        connection.exec(drop);
}

QStringList columnsInFile(SqliteConnection& connection, const QString& schema,
                          const QString& tableName)
{
    Statement info(connection, QStringLiteral("PRAGMA \"%1\".table_info(%2)").arg(schema, quoted(tableName)));
    QStringList columns;
    while (info.step())
        columns << info.text(1);
    return columns;
}

bool sameLayout(const QStringList& columns, const QStringList& expected)
{
    if (columns.size() != expected.size())
        return false;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(expected[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

QString fit(const QString& text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    // Count characters, not UTF-16 units, as SQLite's substr() does.
    int units = 0;
    for (int chars = 0; chars < size && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}

QString fit(const FieldDef& field, const QString& text)
{
    return field.type == FieldType::String ? fit(text, field.size) : text;
}

}  // namespace TableSchema
