#pragma once

#include "store/Entry.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

class SqliteConnection;
struct SqlFilter;

// The entries table "mailist.dat". Text comparisons on Item, Category and Name are
// Unicode case-insensitive; walks run in Item order. Every write is its own
// transaction unless the caller holds a Transaction (bulk callers batch that way).
class EntriesTable {
public:
    explicit EntriesTable(SqliteConnection& connection);

    std::optional<Entry> locate(const QString& item) const;
    std::optional<Entry> locate(const QString& item, const QString& category) const;
    // Every row of the address, in Item order, at most limit rows.
    QList<Entry> locateAll(const QString& item, int limit) const;
    std::optional<Entry> byIndex(qint64 index) const;

    qint64 insert(const Entry& entry);  // whole row in field order; returns Index
    void insert(const QList<const Entry*>& rows);  // each in turn, in the order given
    void post(const Entry& entry);      // writes back the row with entry.Index
    void remove(qint64 index);

    qint64 count() const;
    qint64 count(const SqlFilter& filter) const;

    // Visits rows in Item order (under the filter when given); return false to stop.
    void walk(const std::function<bool(const Entry&)>& visit) const;
    void walk(const SqlFilter& filter, const std::function<bool(const Entry&)>& visit) const;

    // A whole-table statement such as "UPDATE mailist SET SearchHit=0"; user text
    // only through params. Progress reports 0-100. Returns the rows changed.
    int execute(const QString& sql, const QVariantList& params = {},
                const std::function<void(int percent)>& progress = {});

    // Sets every row's SearchHit to whether it meets the condition (a row where
    // the condition is NULL does not), writing only the rows whose flag changes.
    // Returns the rows changed.
    int markSearchHits(const SqlFilter& condition, const std::function<void(int percent)>& progress = {});

    // Table events: after every insert or post; before and after a delete.
    std::function<void()> afterPost;
    std::function<void(qint64 index)> beforeDelete;
    std::function<void(qint64 index)> afterDelete;

private:
    SqliteConnection& db_;
};
