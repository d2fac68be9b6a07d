#pragma once

#include "store/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

class SqliteConnection;

enum class FieldType { AutoInc, String, Integer, Boolean, Date, DateTime, Memo, Blob };

struct FieldDef {
    QString name;
    FieldType type;
    int size = 0;              // characters, for String
    QString defaultValue = {}; // SQL literal, empty for none
    bool required = false;
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool unique = false;
};

// One table: its SQL name, its file in the database folder and its layout.
struct TableDef {
    QString sqlName;
    QString fileName;
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
    // Every writer of the table cuts texts to their sizes itself, so rows need
    // no trigger at insert (one would make each insert keep a statement journal).
    bool writersCut = false;

    QStringList fieldNames() const;
    const FieldDef* field(const QString& name) const;
    // A copy holding only the first count fields and the named indexes.
    TableDef prefix(int count, const QStringList& indexNames) const;
};

// The layouts of every table in one place.
namespace TableSchema {

const TableDef& table(TableId id);
// The other tables kept in the same file as the table (the check run's journal
// and outbox beside the entries); created at open when missing, kept by a repair.
const QList<TableDef>& companions(TableId id);
const TableDef& sendList();

// "Index" must be quoted: it is an SQL keyword.
QString quoted(const QString& name);
// Quoted field names joined by ", ".
QString columnList(const TableDef& def);

// Creates the table, its indexes and the triggers that cut texts to their sizes,
// in the schema (a database name on the connection).
void create(SqliteConnection& connection, const TableDef& def, const QString& schema);
void createIndexesAndTriggers(SqliteConnection& connection, const TableDef& def,
                              const QString& schema);
// The declared indexes the schema's copy of the table lacks.
QList<IndexDef> missingIndexes(SqliteConnection& connection, const TableDef& def, const QString& schema);
void createIndex(SqliteConnection& connection, const TableDef& def, const IndexDef& index, const QString& schema);
QString indexName(const TableDef& def, const IndexDef& index);
void dropIndexesAndTriggers(SqliteConnection& connection, const QString& schema,
                            const QString& tableName);

// The table's columns as they are in the file; empty when the table is absent.
QStringList columnsInFile(SqliteConnection& connection, const QString& schema,
                          const QString& tableName);
// True when the columns are the layout's, in order (names without regard to case).
bool sameLayout(const QStringList& columns, const QStringList& expected);

// The text cut to the field's size, never splitting a character.
QString fit(const FieldDef& field, const QString& text);
QString fit(const QString& text, int size);

}  // namespace TableSchema
