#include "mailings/ScheduleBatch.h"

#include "mailings/ScheduleTable.h"

#include <algorithm>

namespace {

int handedOverIn(const ScheduleRow& row, const ScheduleBatchOutcome& outcome)
{
    if (outcome.handedOver)
        return *outcome.handedOver;
    return outcome.succeeded ? row.SendCount : 0;
}

}  // namespace

ScheduleRow FinishScheduleBatch(const ScheduleRow& row, const ScheduleBatchOutcome& outcome,
                                const QDateTime& now)
{
    ScheduleRow next = row;
    if (outcome.cancelled) {
        // Those handed over before the cancel are marked in the recipient table;
        // a counted figure follows them so the viewer shows what went out.
        next.RecipientSent = std::min(row.RecipientSent + outcome.handedOver.value_or(0), row.RecipientTotal);
        next.Status = ScheduleStatus::Cancelled;
        return next;
    }
    const int sentSoFar = row.RecipientSent + handedOverIn(row, outcome);
    if (sentSoFar > row.RecipientTotal || outcome.lastRowSent) {
        next.RecipientSent = row.RecipientTotal;
        next.NextSend = scheduleMarker(ScheduleMarker::AllSent);
        next.Status = ScheduleStatus::Completed;
    } else {
        next.NextSend = row.Frequency == 0 ? scheduleMarker(ScheduleMarker::WaitsForHand)
                                           : now.addSecs(qint64(row.Frequency) * 60);
        next.RecipientSent = sentSoFar;
        next.Status = ScheduleStatus::Processing;
    }
    return next;
}
