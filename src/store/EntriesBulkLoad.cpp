#include "store/EntriesBulkLoad.h"

#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/UnicodeCollation.h"

#include <algorithm>
#include <utility>

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

void EntriesBulkLoad::add(const Entry& entry) { add(Entry(entry)); }

void EntriesBulkLoad::add(Entry&& entry)
{
    pending_.append(std::move(entry));
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
    // The rows stay where they are; their places are sorted, in the order of the
    // table's collation.
    QList<const Entry*> order;
    order.reserve(pending_.size());
    for (const Entry& entry : std::as_const(pending_))
        order.append(&entry);
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        return unicodeNoCase(a->Item, b->Item) < 0;
    });
    Transaction batch(database_.connection());
    database_.entries().insert(order);
    batch.commit();
    written_ += pending_.size();
    pending_.clear();
}
