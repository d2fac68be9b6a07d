#include "app/AppTimers.h"

#include "logs/Logs.h"
#include "settings/Settings.h"

#include <limits>

namespace {
QString enabledText(const QTimer& timer)
{
    return timer.isActive() ? "True" : "False";
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
        tmrGetEntries.setInterval(std::max(1, settings_.AutoScanDelayedTime) * 60000);
        tmrGetEntries.start();
    }
    logs_.debug("CommenceTimer", "tmrGetEntries.Enabled=" + enabledText(tmrGetEntries));
    logs_.debug("CommenceTimer", "Get Scheduled Send Delta");
    // A delay beyond what a timer can hold is re-armed when the timers are next armed.
    const qint64 delta = std::min<qint64>(scheduledSendDelta ? scheduledSendDelta() : 0,
                                          std::numeric_limits<int>::max());
    if (delta > 0) {
        tmrSchedSend.setInterval(int(delta));
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
