#pragma once

#include "store/Entry.h"

#include <QList>

class Database;

// Adds many entries at once (an import, say), committing them in batches so a
// crash keeps every finished batch. A load that is large against the table runs
// with the table's secondary indexes dropped and builds them again at the end.
// The rows of a batch are written in address order, the order the list is read
// in, so a walk over the list finds neighbouring rows side by side.
class EntriesBulkLoad {
public:
    static constexpr int kBatch = 10000;

    // expectedRows: how many rows the caller means to add, 0 when unknown.
    EntriesBulkLoad(Database& database, qint64 expectedRows, int batchSize = kBatch);
    // Without finish(), the rows of the unfinished batch are not written; dropped
    // indexes are built again all the same (or, failing that, at the next open).
    ~EntriesBulkLoad();
    EntriesBulkLoad(const EntriesBulkLoad&) = delete;
    EntriesBulkLoad& operator=(const EntriesBulkLoad&) = delete;

    // Throws StoreError when a batch cannot be written; that batch is rolled back
    // and kept, so a later add() or finish() writes it again.
    void add(const Entry& entry);
    void add(Entry&& entry);
    void finish();
    qint64 written() const { return written_; }
    bool indexesDropped() const { return indexesDropped_; }

private:
    void writeBatch();

    Database& database_;
    int batchSize_;
    QList<Entry> pending_;
    qint64 written_ = 0;
    bool indexesDropped_ = false;
};
