#include "app/AppTimers.h"

#include "logs/Logs.h"
#include "settings/Settings.h"

#include <algorithm>
#include <limits>

namespace {
QString enabledText(const QTimer& timer)
{
    return timer.isActive() ? "True" : "False";
}

// A timer holds at most about 24 days; a longer wait fires then, and the timers
// are armed afresh from the settings and the schedule at that point.
int timerInterval(qint64 milliseconds)
{
    return int(std::clamp<qint64>(milliseconds, 0, std::numeric_limits<int>::max()));
}
}  // namespace

AppTimers::AppTimers(const Settings& settings, Logs& logs) : settings_(settings), logs_(logs)
{
    for (QTimer* t : {&tmrGetEntries, &tmrSchedSend})
        t->setInterval(kDesignInterval);
    connect(&tmrGetEntries, &QTimer::timeout, this, &AppTimers::tmrGetEntriesTimer);
    connect(&tmrSchedSend, &QTimer::timeout, this, &AppTimers::tmrSchedSendTimer);
}

void AppTimers::CommenceTimer()
{
    logs_.debug("CommenceTimer", "Commence");
    tmrGetEntries.stop();
    tmrSchedSend.stop();
    if (settings_.AutoScanDelayed) {
        const qint64 minutes = std::max(1, settings_.AutoScanDelayedTime);
        tmrGetEntries.setInterval(timerInterval(minutes * 60000));
        tmrGetEntries.start();
    }
    logs_.debug("CommenceTimer", "tmrGetEntries.Enabled=" + enabledText(tmrGetEntries));
    logs_.debug("CommenceTimer", "Get Scheduled Send Delta");
    const int delta = timerInterval(scheduledSendDelta ? scheduledSendDelta() : 0);
    if (delta > 0) {
        tmrSchedSend.setInterval(delta);
        tmrSchedSend.start();
    }
    logs_.debug("CommenceTimer", "tmrSchedSend.Enabled=" + enabledText(tmrSchedSend));
    setScheduleIcon(tmrSchedSend.isActive());
    logs_.debug("CommenceTimer", "End");
}

void AppTimers::DisableTimer()
{
    tmrGetEntries.stop();
    tmrSchedSend.stop();
    setScheduleIcon(false);
}

void AppTimers::armStartUpCheck()
{
    tmrGetEntries.setInterval(kStartUpCheckDelay);
    tmrGetEntries.start();
}

void AppTimers::tmrGetEntriesTimer()
{
    DisableTimer();
    if (!mainWindowActive()) {
        // A modal dialog is in front: try again one interval later.
        tmrGetEntries.start();
        return;
    }
    if (runCheck)
        runCheck();
    else
        CommenceTimer();
}

void AppTimers::tmrSchedSendTimer()
{
    DisableTimer();
    if (!mainWindowActive()) {
        // A batch never starts while a dialog is open: the same interval again.
        tmrSchedSend.start();
        setScheduleIcon(true);
        return;
    }
    if (runScheduledSend)
        runScheduledSend();
    else
        CommenceTimer();
}

void AppTimers::setScheduleIcon(bool visible)
{
    if (scheduleIconChanged)
        scheduleIconChanged(visible);
}
