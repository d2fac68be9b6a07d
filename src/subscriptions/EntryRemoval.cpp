#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "subscriptions/AcknowledgementTexts.h"
#include "subscriptions/BlockedList.h"
#include "subscriptions/EntryRequest.h"
#include "subscriptions/ListContext.h"

#include <exception>

namespace {

// More entries than this for one address means something is wrong with the table.
constexpr int kMaxEntriesPerRequest = 1000;

void acknowledge(const ListContext& ctx, const EntryRequest& request, const QString& text)
{
    if (request.acknowledge && ctx.SendAcknowledgement)
        ctx.SendAcknowledgement(request.address, text, false);
}

}  // namespace

QString removeRequestedEntries(const ListContext& ctx, const EntryRequest& request)
{
    const bool inGroup = ctx.settings.MultipleCategorySupport && !request.group.isEmpty();

    int deleted = 0;
    const ListCounts before = ctx.counts();
    try {
        EntriesTable& entries = ctx.entries();
        // All of the address's entries go, or none: a failure part-way rolls back.
        Transaction transaction(ctx.db.database().connection());
        while (deleted < kMaxEntriesPerRequest) {
            const auto entry = inGroup ? entries.locate(request.address, request.group)
                                       : entries.locate(request.address);
            if (!entry)
                break;
            entries.remove(entry->Index);
            ++deleted;
            // Counted inside the transaction, so the removals and their statistics
            // are one commit; the day's total is the size after each removal.
            ctx.changeEntryCount(-1);
            if (request.recordStatistics)
                ctx.statistics.AddStatRecord(StatUnsubscribe, request.dateText, {});
        }
        transaction.commit();
    } catch (const std::exception&) {
        ctx.restoreCounts(before);
        ctx.logs.AddToErrorsList(Logs::Remove, request.address, request.group);
        return QStringLiteral("Entry could not be deleted!");
    }
    // Blocked only once the removal has committed: a failed removal leaves the
    // address subscribed and free to receive mail, as before the request.
    AddToUnsubscribersList(ctx.settings, request.address);

    if (deleted == 0) {
        acknowledge(ctx, request, AcknowledgementText::notFound(request.address, request.group, inGroup));
        return QStringLiteral("E-mail address not found!");
    }
    for (int i = 0; i < deleted; ++i) {
        --ctx.statistics.counters.movement;
        acknowledge(ctx, request, AcknowledgementText::removed(request.address, request.group, inGroup));
    }
    RecordRemovedAddress(ctx, request.address, false);
    return QStringLiteral("Entry successfully deleted!");
}
