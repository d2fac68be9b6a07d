#include "mailings/ScheduledSendDelta.h"

#include "mailings/ScheduleTable.h"
#include "mailings/ScheduleTexts.h"

#include <algorithm>
#include <exception>

namespace {

bool waitsForTimer(const ScheduleRow& row)
{
    switch (row.Status) {
    case ScheduleStatus::Completed:
    case ScheduleStatus::Cancelled:
    case ScheduleStatus::ErrorEncountered:
    case ScheduleStatus::OnHold:
        return false;
    default:
        return row.NextSend.isValid() && !markerOf(row.NextSend);
    }
}

QString hintFor(const ScheduleRow& row)
{
    return "Next message scheduled to send at " + scheduleDateTimeText(row.NextSend);
}

}  // namespace

ScheduleDelta ScheduledSendDelta(ScheduleTable& table, const QDateTime& now)
{
    ScheduleDelta result;
    try {
        std::optional<qint64> soonest;
        for (const ScheduleRow& row : table.rows()) {
            if (!waitsForTimer(row))
                continue;
            const qint64 wait = now.msecsTo(row.NextSend);
            if (wait <= 0)
                return {kScheduleDueDelay, row.Index, hintFor(row)};
            if (!soonest || wait < *soonest) {
                soonest = wait;
                result.hint = hintFor(row);
            }
        }
        if (soonest)
            result.milliseconds = std::min(*soonest, kScheduleLongestDelay);
    } catch (const std::exception&) {
        return {};
    }
    return result;
}
