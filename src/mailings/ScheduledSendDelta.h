#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class ScheduleTable;

// How long the schedule timer waits, and for what.
struct ScheduleDelta {
    // 0: nothing is scheduled (no timer); 250: a schedule is due now.
    qint64 milliseconds = 0;
    // The due schedule's Index when milliseconds is 250.
    std::optional<int> dueIndex;
    // The schedule icon's hint; empty when nothing is scheduled.
    QString hint;
};

inline constexpr qint64 kScheduleDueDelay = 250;
// The longest wait armed at once: the timer is armed again when it ends, so a
// later schedule never needs more than the timer can hold.
inline constexpr qint64 kScheduleLongestDelay = 86'400'000;

// ScheduledSendDelta: the first schedule in table order that is due, else the
// wait until the soonest one. Schedules that are completed, cancelled, failed, on
// hold, waiting for a start by hand or without a date never count. A table that
// cannot be read schedules nothing.
ScheduleDelta ScheduledSendDelta(ScheduleTable& table, const QDateTime& now);
