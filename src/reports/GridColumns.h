#pragma once

#include <QString>
#include <QVariant>

struct Entry;

// One column of the list grid: its heading, the entry field it shows, and how.
struct GridColumn {
    enum class Kind { Text, Number, Flag, Date, DateTime };

    const char* heading;
    const char* field;      // the entries table's field
    const char* layoutKey;  // the column's name in the layout store
    Kind kind;
    bool visibleAtFirst;
    // The table has an index in this column's order, so a list too long to hold
    // in memory can still be shown sorted by it.
    bool indexed;
};

// The grid's columns in their design order: the four shown at first, then the
// ones the user may bring in.
const QList<GridColumn>& gridColumns();
int gridColumnCount();
// The column showing the field; -1 when none does.
int gridColumnOf(const QString& field);

// The entry's value in the column: text, number, bool for flags, QDate or QDateTime.
QVariant gridValue(const Entry& entry, int column);
// The entry's text field shown in a text column; null for the other columns.
QString Entry::*gridTextField(int column);
// Writes an edited value into the entry; false when the column cannot take it.
bool setGridValue(Entry& entry, int column, const QVariant& value);
