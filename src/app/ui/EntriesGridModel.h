#pragma once

#include "store/SqlFilter.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

class EntriesTable;
struct Entry;

// A read-only view of the entries table in Item order under the current filter.
// Rows are read in chunks as the grid scrolls, so a large list opens at once.
class EntriesGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kChunk = 500;

    explicit EntriesGridModel(QObject* parent = nullptr);

    // Starts again from the first row; a null table shows nothing.
    void reset(EntriesTable* table, SqlFilter filter = {});

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // The entry's Index, address and group of a loaded row.
    qint64 entryIndex(int row) const { return rows_.at(row).index; }
    QString entryItem(int row) const { return rows_.at(row).item; }
    QString entryCategory(int row) const { return rows_.at(row).category; }
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Row {
        qint64 index;
        QString item;
        QString name;
        QString category;
        int bounces;
        QString inserted;
    };
    QList<Row> readChunk() const;

    EntriesTable* table_ = nullptr;
    SqlFilter filter_;
    QList<Row> rows_;
    bool atEnd_ = true;
};
