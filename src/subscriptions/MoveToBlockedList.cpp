#include "subscriptions/MoveToBlockedList.h"

#include "base/Ui.h"
#include "store/EntriesTable.h"
#include "subscriptions/BlockedList.h"
#include "subscriptions/ListContext.h"

#include <exception>

int mkaddtonever(const ListContext& ctx, const QList<qint64>& rows)
{
    if (rows.isEmpty()
        || !ctx.ui.askYesNo("Are you sure you want to move the " + QString::number(rows.size())
                            + " selected entries to your never send list?"))
        return 0;
    EntriesTable& entries = ctx.entries();
    int moved = 0;
    int position = 0;
    for (const qint64 index : rows) {
        try {
            const auto entry = entries.byIndex(index);
            if (!entry)
                continue;
            ctx.ui.showProgress("Moving Record, " + entry->Item, int(rows.size()), false);
            ctx.ui.setProgress(++position);
            entries.remove(entry->Index);
            AddToBlockedList(ctx.settings, entry->Item);
            ctx.changeEntryCount(-1);
            ++moved;
        } catch (const std::exception&) {
            ctx.ui.warn("Error moving record!");
        }
    }
    ctx.ui.hideProgress();
    return moved;
}
