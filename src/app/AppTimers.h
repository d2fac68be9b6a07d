#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

struct Settings;
class Logs;

// The two timers that start unattended work: tmrGetEntries (the check for new
// entries) and tmrSchedSend (the scheduled-sending clock). Both start disabled
// with an interval of 350 ms; CommenceTimer arms them, DisableTimer stops them.
class AppTimers : public QObject {
    Q_OBJECT
public:
    static constexpr int kDesignInterval = 350;
    static constexpr int kStartUpCheckDelay = 250;

    AppTimers(const Settings& settings, Logs& logs);

    QTimer tmrGetEntries;
    QTimer tmrSchedSend;

    // Milliseconds until the next scheduled message is due; 0 when none is.
    std::function<qint64()> scheduledSendDelta = [] { return qint64(0); };
    // The check for new entries; it re-arms the timers itself when it finishes.
    std::function<void()> runCheck;
    // Sends the scheduled message that has come due.
    std::function<void()> runScheduledSend;
    // True while the main window is the active form (no modal dialog in front).
    std::function<bool()> mainWindowActive = [] { return true; };
    // Shows or hides the schedule icon of the status panel.
    std::function<void(bool visible)> scheduleIconChanged;

    void CommenceTimer();
    void DisableTimer();
    // "Always check for new entries on start-up": the first check a quarter second on.
    void armStartUpCheck();

    // The tick handlers, public so the window and tests can drive them directly.
    void tmrGetEntriesTimer();
    void tmrSchedSendTimer();

private:
    void setScheduleIcon(bool visible);

    const Settings& settings_;
    Logs& logs_;
};
