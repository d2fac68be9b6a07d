#pragma once

#include "store/Entry.h"
#include "store/SqlFilter.h"

#include <QAbstractTableModel>
#include <QList>

class Database;

// The entries table under the current view's filter, one row per entry and one
// column per grid column (shown or not). With a cache limit it holds one window
// of that many rows, read again as the grid moves elsewhere, and sorts through
// the table's indexes; without one it reads every row and sorts them itself.
class EntriesGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EntriesGridModel(QObject* parent = nullptr);

    // 0 loads every row; otherwise the window's size. Takes effect at the next reset.
    void setCacheLimit(int rows) { cacheLimit_ = rows > 0 ? rows : 0; }
    int cacheLimit() const { return cacheLimit_; }

    // Shows the table's rows under the filter; a null database shows nothing.
    // Keeps the sort order.
    void reset(Database* db, SqlFilter filter = {});
    void refresh() { reset(db_, filter_); }

    // A click on a column's header or a choice of the sorting menu. Without the
    // cache limit the column's order turns between ascending and descending; with
    // it, between the column's index order and the table's natural order. False
    // (nothing changes) for a column the table cannot sort by.
    bool toggleSort(int column);
    // The order kept from an earlier session; takes effect at the next reset, where
    // the cache limit leaves only an index's ascending order.
    void restoreSort(int column, Qt::SortOrder order);
    // -1: the table's own order (with the cache limit), E-mail order (without)
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return order_; }

    // In-line editing: off, the rows are only selected.
    void setEditing(bool on) { editing_ = on; }
    bool editing() const { return editing_; }
    // Flips a flag column's value of the row and saves the entry; false when the
    // column holds no flag or the entry could not be saved.
    bool toggleFlag(const QModelIndex& index);

    qint64 entryIndex(int row) const { return entryAt(row).Index; }
    const Entry& entryAt(int row) const;
    // What the row shows in the column, as a person reads it (flags "True"/"False").
    QString displayText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    bool holds(const QModelIndex& index) const;
    void loadAll();
    void sortLoaded();
    void sortByText(QString Entry::*field, bool ascending);
    // Brings the row into the held window (cache limit on).
    void ensureWindow(int row) const;
    QString orderBy() const;
    bool save(int row, const Entry& changed);

    Database* db_ = nullptr;
    SqlFilter filter_;
    int cacheLimit_ = 0;
    int sortColumn_ = -1;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    bool editing_ = false;
    int total_ = 0;
    // Every row without the cache limit, in the walk's order, and shown_ the shown
    // order of their numbers; with the limit, the rows from windowStart_ on.
    mutable QList<Entry> rows_;
    QList<int> shown_;
    mutable int windowStart_ = 0;
};
