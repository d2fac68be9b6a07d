#include "subscriptions/GroupCommands.h"

#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"
#include "subscriptions/GroupChoice.h"
#include "subscriptions/ListContext.h"

#include <algorithm>
#include <exception>

namespace {

const QString kMergedGroup = QStringLiteral("Default");
// Holds an entry while its address is looked up in the merged group, so the
// entry cannot find itself there. Never left behind: each step is one transaction.
const QString kMergeMarker = QStringLiteral("Z_z_Z_z");

// Moves one entry; true when it was deleted as a duplicate.
bool moveToGroup(EntriesTable& entries, Entry entry, const QString& group)
{
    const auto holder = entries.locate(entry.Item, group);
    if (holder && holder->Index != entry.Index) {
        entries.remove(entry.Index);
        return true;
    }
    entry.Category = group;
    entries.post(entry);
    return false;
}

bool mergeOne(const ListContext& ctx, qint64 index)
{
    EntriesTable& entries = ctx.entries();
    Transaction transaction(ctx.db.database().connection());
    auto entry = entries.byIndex(index);
    if (!entry)
        return false;
    entry->Category = kMergeMarker;
    entries.post(*entry);
    const bool deleted = moveToGroup(entries, *entry, kMergedGroup);
    transaction.commit();
    return deleted;
}

QList<qint64> indexesInRowOrder(const EntriesTable& entries)
{
    QList<qint64> indexes;
    entries.walk([&](const Entry& e) {
        indexes << e.Index;
        return true;
    });
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

}  // namespace

bool changeGroupOfEntries(const ListContext& ctx, const QList<qint64>& rows,
                          const QString& currentGroup)
{
    if (rows.isEmpty())
        return false;
    const auto group = GetGroup(ctx, "Please enter a group for these " + QString::number(rows.size())
                                         + " entries",
                                currentGroup, true);
    if (!group)
        return false;
    EntriesTable& entries = ctx.entries();
    ProgressScope progress(ctx.ui, "Setting group to " + *group, int(rows.size()), false);
    int position = 0;
    for (const qint64 index : rows) {
        progress.step(++position);
        try {
            const auto entry = entries.byIndex(index);
            if (!entry || entry->Category.compare(*group, Qt::CaseInsensitive) == 0)
                continue;
            if (moveToGroup(entries, *entry, *group))
                ctx.changeEntryCount(-1);
        } catch (const std::exception&) {
            ctx.ui.inform("Error changing category!");
        }
    }
    return true;
}

bool MergeAllCategories(const ListContext& ctx)
{
    if (!ctx.ui.askOkCancel("This process will convert all of your groups to the 'Default' group and "
                            "remove all duplicate e-mail addresses.  It is recommended that you perform "
                            "a back-up before using this feature!"))
        return false;
    if (!ctx.ui.askYesNo("Are you sure you have backed up and are ready to continue?"))
        return false;
    {
        BusyCursor busy(ctx.ui);
        QList<qint64> indexes;
        try {
            indexes = indexesInRowOrder(ctx.entries());
        } catch (const std::exception& e) {
            ctx.ui.warn(QString::fromStdString(e.what()));
            return true;
        }
        ProgressScope progress(ctx.ui, "Merging Entries", int(indexes.size()), false);
        int position = 0;
        for (const qint64 index : indexes) {
            progress.step(++position);
            try {
                if (mergeOne(ctx, index))
                    ctx.changeEntryCount(-1);
            } catch (const std::exception&) {
                if (!ctx.ui.askYesNo("An error was encountered while processing.  Do you want to "
                                     "continue?"))
                    break;
            }
        }
    }
    try {
        ctx.db.SaveDatabase();
    } catch (const std::exception& e) {
        ctx.ui.warn(QString::fromStdString(e.what()));
    }
    return true;
}
