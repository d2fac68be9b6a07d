#pragma once

#include "store/Entry.h"

#include <QList>
#include <QString>

struct ListContext;
class EntriesTable;

// The batch actions on the selected rows, numbered as the menu commands call them.
enum class BatchAction {
    ResetBounces = 1,
    AllowSending,
    DenySending,
    MarkViewed,
    SetTag,
    ClearTag,
    CopyToClipboard,
};
QString batchProgressText(BatchAction action);

// PositionDBAtNode: the entry of a grid row by its Index; throws "Cannot locate node"
// when another copy has removed it since the grid read it.
Entry PositionDBAtNode(const EntriesTable& entries, qint64 index);

// BatchProcess: changes and saves each entry in the order given, with the progress
// display (Cancel stops after the current row). A row that fails is told and
// skipped. For the copy, the clipboard's lines: one FormatNameAndAddress line per row.
// With no rows, nothing happens (the window beeps).
QStringList BatchProcess(const ListContext& ctx, BatchAction action, const QList<qint64>& rows);

// CopySelRecToClipboard's text: the rows' lines joined by line breaks.
QString CopySelRecToClipboard(const ListContext& ctx, const QList<qint64>& rows);

// Asks "Are you sure you want to delete the n selected entries?" and deletes them
// on Yes; the rows removed.
int deleteSelectedEntries(const ListContext& ctx, const QList<qint64>& rows);

// "Delete All Entries...": asks, then empties the entries table; true when emptied.
bool DeleteAllEntries(const ListContext& ctx);

// The whole-table changes of the "Other" views' "Select All" buttons, one statement
// each; a failure is told once. True when the table was changed.
enum class WholeTableChange { MarkAllViewed, AllowAllSending, ClearAllTags };
bool changeAllEntries(const ListContext& ctx, WholeTableChange change);
