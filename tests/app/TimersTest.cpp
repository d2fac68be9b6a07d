#include "app/AppController.h"
#include "app/Session.h"
#include "settings/IniFile.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {
struct Home {
    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{Folders::forApplication(dir.path()), ui};
    AppController controller{session};
    AppTimers& timers = controller.timers();

    Home() { session.settings.DebugLogging = true; }
    QStringList debugLines() const
    {
        QStringList lines;
        for (const QString& folder : {session.folders.config, session.folders.application}) {
            QFile f(folder + "Debuglog.txt");
            if (f.open(QIODevice::ReadOnly))
                lines << QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        }
        for (QString& l : lines)
            l = l.mid(l.indexOf("DEBUG: ")).trimmed();
        return lines;
    }
};
}  // namespace

TEST(Timers, CommenceTimerWithDelayedScanArmsTheCheck)
{
    Home h;
    h.session.settings.AutoScanDelayed = true;
    h.session.settings.AutoScanDelayedTime = 5;
    h.timers.CommenceTimer();
    EXPECT_TRUE(h.timers.tmrGetEntries.isActive());
    EXPECT_EQ(h.timers.tmrGetEntries.interval(), 5 * 60000);
    EXPECT_FALSE(h.timers.tmrSchedSend.isActive());
    EXPECT_EQ(h.debugLines(), (QStringList{"DEBUG: [CommenceTimer] Commence",
                                           "DEBUG: [CommenceTimer] tmrGetEntries.Enabled=True",
                                           "DEBUG: [CommenceTimer] Get Scheduled Send Delta",
                                           "DEBUG: [CommenceTimer] tmrSchedSend.Enabled=False",
                                           "DEBUG: [CommenceTimer] End"}));
}

TEST(Timers, DelaysLongerThanATimerHoldsWaitTheLongestItCan)
{
    Home h;
    h.session.settings.AutoScanDelayed = true;
    h.session.settings.AutoScanDelayedTime = 40000;  // minutes, about 28 days
    h.timers.scheduledSendDelta = [] { return qint64(90) * 24 * 3600 * 1000; };
    h.timers.CommenceTimer();
    EXPECT_TRUE(h.timers.tmrGetEntries.isActive());
    EXPECT_EQ(h.timers.tmrGetEntries.interval(), std::numeric_limits<int>::max());
    EXPECT_TRUE(h.timers.tmrSchedSend.isActive());
    EXPECT_EQ(h.timers.tmrSchedSend.interval(), std::numeric_limits<int>::max());
}

TEST(Timers, CommenceTimerWithoutDelayedScanLeavesTheCheckOff)
{
    Home h;
    bool icon = true;
    h.timers.scheduleIconChanged = [&](bool v) { icon = v; };
    h.timers.CommenceTimer();
    EXPECT_FALSE(h.timers.tmrGetEntries.isActive());
    EXPECT_FALSE(icon);
    EXPECT_TRUE(h.debugLines().contains("DEBUG: [CommenceTimer] tmrGetEntries.Enabled=False"));

    h.timers.scheduledSendDelta = [] { return qint64(1234); };
    h.timers.CommenceTimer();
    EXPECT_TRUE(h.timers.tmrSchedSend.isActive());
    EXPECT_EQ(h.timers.tmrSchedSend.interval(), 1234);
    EXPECT_TRUE(icon);
    h.timers.DisableTimer();
    EXPECT_FALSE(h.timers.tmrSchedSend.isActive());
    EXPECT_FALSE(icon);
}

TEST(Timers, StartUpCheckRunsAQuarterSecondAfterTheWindow)
{
    Home h;
    IniFile ini;
    ini.setValue("Settings", "AutoScanStartUp", "true");
    ini.setValue("Settings", "AutoScanDelayed", "true");
    ASSERT_TRUE(ini.save(h.session.folders.config + "Settings.ini"));
    h.controller.FormShow();
    EXPECT_TRUE(h.timers.tmrGetEntries.isActive());
    EXPECT_EQ(h.timers.tmrGetEntries.interval(), 250);
}

TEST(Timers, TickRunsTheCheckOnlyWhenTheMainWindowIsActive)
{
    Home h;
    int checks = 0;
    bool active = false;
    h.timers.runCheck = [&] { ++checks; };
    h.timers.mainWindowActive = [&] { return active; };
    h.timers.scheduledSendDelta = [] { return qint64(60000); };
    h.timers.CommenceTimer();
    h.timers.armStartUpCheck();
    h.timers.tmrGetEntriesTimer();
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(h.timers.tmrGetEntries.isActive());
    EXPECT_FALSE(h.timers.tmrSchedSend.isActive());
    active = true;
    h.timers.tmrGetEntriesTimer();
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(h.timers.tmrGetEntries.isActive());
}
