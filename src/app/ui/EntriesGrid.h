#pragma once

#include <QTableView>

class EntriesGridModel;
class EntriesTable;
class GridLayoutStore;
struct GridLayout;

// The plain list of entries shown under every tab but "Information", with its
// column layout kept in the per-user store between runs.
class EntriesGrid : public QTableView {
    Q_OBJECT
public:
    explicit EntriesGrid(QWidget* parent = nullptr);

    // Shows the table's rows under the filter expression; a null table or a
    // filter the table cannot apply shows nothing.
    void showEntries(EntriesTable* table, const QString& filter);
    qint64 loadedRows() const;

    // The Index values of the selected rows, top to bottom.
    QList<qint64> selectedEntryIndexes() const;
    // The address and group of the current row; empty without one.
    QString currentItem() const;
    QString currentCategory() const;

    void readLayout(const GridLayoutStore& store);
    void saveLayout(GridLayoutStore& store) const;

private:
    GridLayout currentLayout() const;

    EntriesGridModel* model_;
};
