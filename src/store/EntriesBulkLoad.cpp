#include "store/EntriesBulkLoad.h"

#include "store/Database.h"
#include "store/EntriesTable.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Rebuilding an index costs about a quarter of inserting into it row by row at
// random, counted over the whole table: dropping pays once the load adds a
// third of what the table holds.
bool worthDropping(qint64 expectedRows, qint64 tableRows) { return expectedRows * 3 >= tableRows; }

}  // namespace

EntriesBulkLoad::EntriesBulkLoad(Database& database, qint64 expectedRows, int batchSize)
    : database_(database), batchSize_(std::max(1, batchSize))
{
    pending_.reserve(batchSize_);
    if (expectedRows > 0 && worthDropping(expectedRows, database_.entries().count())) {
        database_.dropSecondaryIndexes(TableId::Entries);
        indexesDropped_ = true;
    }
}

EntriesBulkLoad::~EntriesBulkLoad()
{
    if (!indexesDropped_)
        return;
    try {
        database_.restoreIndexes(TableId::Entries);
    } catch (const StoreError&) {
        // The table's next open builds them.
    }
}

void EntriesBulkLoad::add(const Entry& entry)
{
    pending_.append(entry);
    if (pending_.size() >= batchSize_)
        writeBatch();
}

void EntriesBulkLoad::finish()
{
    writeBatch();
    if (indexesDropped_) {
        database_.restoreIndexes(TableId::Entries);
        indexesDropped_ = false;
    }
}

void EntriesBulkLoad::writeBatch()
{
    if (pending_.isEmpty())
        return;
    // The rows stay where they are; their places are sorted, on keys folded once.
    std::vector<std::pair<QString, qsizetype>> order;
    order.reserve(pending_.size());
    for (qsizetype i = 0; i < pending_.size(); ++i)
        order.emplace_back(pending_[i].Item.toCaseFolded(), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    EntriesTable& entries = database_.entries();
    Transaction batch(database_.connection());
    for (const auto& place : order)
        entries.insert(pending_[place.second]);
    batch.commit();
    written_ += pending_.size();
    pending_.clear();
}
