#include "subscriptions/ListContext.h"

#include "app/Logs.h"
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

void RecordRemovedAddress(const ListContext& ctx, const QString& address, bool bounced)
{
    ctx.logs.RecordRemoval(address, bounced);
}
