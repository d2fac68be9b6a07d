#pragma once

#include "app/AppTimers.h"
#include "reports/EntrySearch.h"
#include "reports/ListViewChoices.h"
#include "settings/SettingsStore.h"
#include "subscriptions/CheckWindow.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class MainView;
class StaggerPause;
class Session;
struct ListContext;
struct Settings;

// What the controller leaves to others: windows it cannot make and work that
// later parts of the program supply.
struct AppHooks {
    // Shows the splash window ("v4.01") and paints it at once.
    std::function<void()> showSplash;
    // The set-up wizard, run by Loadentries on a first run.
    std::function<void(Settings&)> SetUpWizard;
    // The folder picker (prompt as its heading); empty when cancelled.
    std::function<QString(const QString& prompt)> GetOutlookFolder;
    // The window a check pass runs under; unset, the progress display serves.
    CheckWindowOpener openCheckWindow;
    // The back-up on exit; true when the back-up file was saved.
    std::function<bool()> backUpOnExit = [] { return true; };
    // The pause between the messages of a send run ("Send Delay" in the window);
    // unset, the run waits on the clock.
    std::function<std::unique_ptr<StaggerPause>()> staggerPause;
    // The help viewer for a topic number; unset, the help buttons are disabled.
    std::function<void(int topic)> showHelp;
};

// The life of the main window without its widgets: start-up, the view modes, the
// timers, database switches, idle work and the orderly shutdown. The window (or a
// test) drives it and is reached back through MainView.
class AppController : public QObject {
    Q_OBJECT
public:
    using Hooks = AppHooks;

    static constexpr const char* kTitle = "Corvanel";

    explicit AppController(Session& session, Hooks hooks = {});

    // The window to draw on; null (the default) draws nothing.
    void attachView(MainView* view) { view_ = view; }

    Session& session() { return session_; }
    const Hooks& hooks() const { return hooks_; }
    AppTimers& timers() { return timers_; }
    SettingsStore& settingsStore() { return settingsStore_; }

    // --- Start-up: title, "Start Up" debug line, splash, database session.
    void start();
    // Settings, grid layout, caption, timers, last mode, panels; ends the splash.
    void FormShow();
    bool mainWindowShown() const { return shown_; }
    // Once the window is up: the question about a mailing that was interrupted.
    void offerInterruptedMailing();
    // ScheduledSendDelta for the schedule timer, and the hint of the schedule icon it left.
    qint64 scheduledSendDelta();
    QString scheduleHint() const { return scheduleHint_; }
    // tmrSchedSendTimer's work once the main window is in front: the due batch.
    void sendDueSchedule();
    // The pause a send run of the window makes between its messages.
    std::unique_ptr<StaggerPause> staggerPause() const;

    // --- Modes
    // Empty: nothing. A leading digit selects that tab and the rest becomes the
    // entries filter; anything else is only stored. Raises on a bad tab or filter.
    void SetCurrentMode(const QString& mode);
    void tbcDatabaseChange(int tab);
    int currentTab() const { return tab_; }
    QString entriesFilter() const { return filter_; }
    bool filtered() const { return !filter_.isEmpty(); }
    // The choices of the group and "Other" panels; the window writes them.
    ListViewChoices listChoices;
    QString GetModeEntriesText() const;
    // Applies the current tab's filter (with refilter), shows the entries and
    // rewrites the count line and the caption.
    void UpdateDisplay(bool refilter);
    // The filter of the ticked groups, applied at once.
    void SetGroupFilter();
    void cmbOtherSearchChange(OtherView view);
    // "Search" or "Search within Results"; true when the hits are shown.
    bool btnSearchClick(const SearchRequest& request);
    QString countLine() const { return countLine_; }
    // The unfiltered count remembered for the count line.
    qint64 totalEntries() const { return totalEntries_; }
    // The cache limit option applied to the grid.
    void SetLoadAllRecords();
    // The modal-work state; nests, only the outermost entering and leaving act.
    void newformpreparation(bool entering);
    // The list rules' view of the session, or of other settings (a dialog's copy).
    ListContext listContext();
    ListContext listContext(Settings& settings);
    // The options just committed reach what shows them: caption and command names,
    // the group filter, the grid's record cache.
    void settingsApplied();

    QString caption() const;
    void UpdateCaption();

    // --- Database switches, bracketed by BeforeLoading / AfterLoading.
    void BeforeLoading();
    void AfterLoading();
    void openDatabaseFromDialog();
    void mkreopenonclick(const QString& folder);
    void optimiseFromMenu();
    void renameDatabase();

    // --- "Check for New Entries", also run by the timer.
    void btngetoutlookClick();
    // The command's caption for the chosen e-mail software.
    QString checkCaption() const;

    // --- Idle work and unhandled errors
    void requestGroupFilterRefresh();
    void DoIdle();
    void AppException(const QString& message);

    // --- Shutdown
    // False keeps the program running (scheduled send pending, failed back-up).
    bool FormCloseQuery();
    // Grid layout, settings and database state; every step guarded. Before FormShow
    // has read the settings only the database state.
    void FormClose();
    // DBPath into Settings.ini (once FormShow has read the settings) and recent.txt;
    // every step guarded.
    void FormDestroy();

private:
    SettingsStore::Hooks settingsHooks();
    void scheduleIdle();
    void guarded(const QString& routine, const QString& step, const std::function<void()>& work);
    bool groupListIsBare() const;
    QString tabFilter() const;

    Session& session_;
    Hooks hooks_;
    AppTimers timers_;
    SettingsStore settingsStore_;
    MainView* view_ = nullptr;

    QString scheduleHint_;
    int tab_ = 0;
    QString filter_;
    QString countLine_;
    qint64 totalEntries_ = 0;
    int modalDepth_ = 0;
    bool settingsRead_ = false;
    bool shown_ = false;
    bool groupFilterRefreshPending_ = false;
    bool recentListRefreshPending_ = false;
    bool idleScheduled_ = false;
};
