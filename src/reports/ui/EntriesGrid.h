#pragma once

#include "store/Entry.h"

#include <QStringList>
#include <QTableView>
#include <optional>

class Database;
class EntriesGridModel;
class GridLayoutStore;
struct GridLayout;

// The list of entries shown under every tab but "Information": whole rows selected,
// several at once; columns resized, moved, hidden, fitted and chosen through the
// header's menu; flag columns flipped by a click while in-line editing is off. The
// column layout is kept in the per-user store between runs.
class EntriesGrid : public QTableView {
    Q_OBJECT
public:
    explicit EntriesGrid(QWidget* parent = nullptr);

    // Shows the table's rows under the filter expression; a null database or a
    // filter the table cannot apply shows nothing.
    void showEntries(Database* db, const QString& filter);
    // 0 loads every row; otherwise windows of that many rows (applied at once).
    void setCacheLimit(int rows);
    // Off while a long command runs: the grid neither reads nor repaints.
    void setFollowsTable(bool follows);
    qint64 rowTotal() const;
    EntriesGridModel& entriesModel() { return *model_; }

    // "Allow In-line Editing": cells edited in place (on) or rows selected (off).
    void setEditing(bool on);
    bool editing() const;

    // The sorting menu's choice and the header's click on a column; beeps when the
    // column cannot be sorted in the current cache mode.
    void sortByColumn(int column);

    // The Index values of the selected rows, top to bottom.
    QList<qint64> selectedEntryIndexes() const;
    // The entry of the current row; none without one.
    std::optional<Entry> currentEntry() const;
    void goToFirst();
    void goToLast();

    // For writing the grid to a file: the shown columns' headings in display
    // order, and a row's texts in the same order.
    QStringList visibleHeadings() const;
    QStringList rowValues(int row) const;

    // "Best &Fit", "&Remove This Column" and "Column Selector..." on a column.
    void bestFit(int column);
    void removeColumn(int column);
    void showColumnSelector();

    void readLayout(const GridLayoutStore& store);
    void saveLayout(GridLayoutStore& store) const;

signals:
    void deleteRequested();
    void copyRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QList<int> visibleColumnsInOrder() const;
    void showHeaderMenu(const QPoint& at);
    GridLayout currentLayout() const;

    EntriesGridModel* model_;
    Database* db_ = nullptr;
    QString filter_;
    bool follows_ = true;
};
