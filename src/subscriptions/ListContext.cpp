#include "subscriptions/ListContext.h"

#include "logs/Logs.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"

EntriesTable& ListContext::entries() const
{
    return db.database().entries();
}

void ListContext::changeEntryCount(qint64 delta) const
{
    db.setEntryCount(db.entryCount() + delta);
}

ListCounts ListContext::counts() const
{
    return {db.entryCount(), statistics.counters};
}

void ListContext::restoreCounts(const ListCounts& counts) const
{
    db.setEntryCount(counts.entries);
    statistics.counters = counts.statistics;
}

void RecordRemovedAddress(const ListContext& ctx, const QString& address, bool bounced)
{
    ctx.logs.RecordRemoval(address, bounced);
}
