#include "mailings/ScheduleSettings.h"

#include "base/Ui.h"
#include "mailings/ScheduleTable.h"

#include <exception>

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 1440;

int minutesOf(ScheduleSettings::Unit unit)
{
    switch (unit) {
    case ScheduleSettings::Unit::Minutes: return 1;
    case ScheduleSettings::Unit::Hours: return kMinutesPerHour;
    case ScheduleSettings::Unit::Days: break;
    }
    return kMinutesPerDay;
}

QDateTime nextSendFor(const ScheduleSettings& settings, const QDateTime& now)
{
    switch (settings.start) {
    case ScheduleSettings::Start::Manual: return scheduleMarker(ScheduleMarker::Manual);
    case ScheduleSettings::Start::AtDate: return settings.startAt;
    case ScheduleSettings::Start::Now: break;
    }
    return now;
}

}  // namespace

bool SaveScheduleSettings(ScheduleTable& table, ScheduleRow& row, const ScheduleSettings& settings,
                          const QDateTime& now, bool editing, Ui& ui)
{
    if (row.Status == ScheduleStatus::Completed) {
        ui.inform("This schedule item has already been completed.");
        return false;
    }
    ScheduleRow changed = row;
    changed.BatchName = settings.name;
    changed.NextSend = nextSendFor(settings, now);
    changed.SendCount = settings.allRecipients ? 0 : settings.batchSize;
    changed.Frequency = settings.batchesByHand ? 0 : settings.delay * minutesOf(settings.unit);
    if (editing)
        changed.SendType = settings.method;
    changed.Status = changed.RecipientSent != 0 ? ScheduleStatus::Processing : ScheduleStatus::NotStarted;
    try {
        if (!table.update(changed))
            return false;
    } catch (const std::exception&) {
        return false;
    }
    row = changed;
    return true;
}

ScheduleSettings ShowScheduleSettings(const ScheduleRow& row, const QDateTime& now)
{
    ScheduleSettings settings;
    settings.name = row.BatchName;
    settings.startAt = now;
    if (markerOf(row.NextSend) == ScheduleMarker::Manual) {
        settings.start = ScheduleSettings::Start::Manual;
    } else if (row.NextSend.isValid() && row.NextSend > now) {
        settings.start = ScheduleSettings::Start::AtDate;
        settings.startAt = row.NextSend;
    } else {
        settings.start = ScheduleSettings::Start::Now;
    }
    settings.allRecipients = row.SendCount == 0;
    if (!settings.allRecipients)
        settings.batchSize = row.SendCount;
    settings.batchesByHand = row.Frequency == 0;
    if (!settings.batchesByHand) {
        if (row.Frequency % kMinutesPerDay == 0) {
            settings.unit = ScheduleSettings::Unit::Days;
            settings.delay = row.Frequency / kMinutesPerDay;
        } else if (row.Frequency % kMinutesPerHour == 0) {
            settings.unit = ScheduleSettings::Unit::Hours;
            settings.delay = row.Frequency / kMinutesPerHour;
        } else {
            settings.unit = ScheduleSettings::Unit::Minutes;
            settings.delay = row.Frequency;
        }
    }
    settings.method = row.SendType;
    return settings;
}
