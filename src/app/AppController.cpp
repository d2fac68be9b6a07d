#include "app/AppController.h"

#include "app/MainView.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "base/Ui.h"
#include "mail/MailStoresFromSettings.h"
#include "mailings/ClockPause.h"
#include "mailings/MailingRun.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduledSendDelta.h"
#include "mailings/ScheduledSending.h"
#include "mailings/SendRunLock.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"
#include "subscriptions/Acknowledgements.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/ListContext.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <exception>

namespace {
QString groupsHintText()
{
    return "You have not added any groups to your Group List.  Groups allow you to categorize "
           "your mailing list and send messages only to specific users.  You can specify your "
           "groups under View|Options.";
}

QString databaseErrorText(const QString& error)
{
    return "An error was encountered with your Database:\n\n" + error + "\n\n" +
           "Please restart and if the problem continues, restore your files from backup.";
}
}  // namespace

AppController::AppController(Session& session, Hooks hooks)
    : session_(session),
      hooks_(std::move(hooks)),
      timers_(session.settings, session.logs),
      settingsStore_(session.folders, session.ui, session.logs, settingsHooks())
{
    timers_.runCheck = [this] { btngetoutlookClick(); };
    timers_.scheduledSendDelta = [this] { return scheduledSendDelta(); };
    timers_.runScheduledSend = [this] { sendDueSchedule(); };
}

qint64 AppController::scheduledSendDelta()
{
    if (!session_.db.isOpen())
        return 0;
    try {
        ScheduleTable schedules(session_.db.database().connection());
        const ScheduleDelta delta = ScheduledSendDelta(schedules, QDateTime::currentDateTime());
        scheduleHint_ = delta.hint;
        return delta.milliseconds;
    } catch (const std::exception&) {
        return 0;
    }
}

void AppController::sendDueSchedule()
{
    newformpreparation(true);
    guarded("tmrSchedSendTimer", "sending a scheduled message", [this] {
        ScheduleTable schedules(session_.db.database().connection());
        const ScheduleDelta delta = ScheduledSendDelta(schedules, QDateTime::currentDateTime());
        if (delta.milliseconds != 250 || !delta.dueIndex)
            return;
        const QString folder = session_.db.resolvedFolder();
        SendRunLock lock(folder);
        if (!lock.acquire(session_.ui))
            return;
        const std::unique_ptr<StaggerPause> pause = staggerPause();
        SendScheduledMessage({session_.db.database().connection(), folder, session_.settings,
                              session_.CreatedmMailSend(), session_.ui, *pause},
                             schedules, *delta.dueIndex, QDateTime::currentDateTime());
    });
    newformpreparation(false);  // arms the timers again
}

SettingsStore::Hooks AppController::settingsHooks()
{
    SettingsStore::Hooks h;
    h.saveDatabase = [this] { session_.db.SaveDatabase(); };
    h.currentDatabaseFolder = [this] {
        return session_.db.symbolicFolder(session_.db.currentFolder());
    };
    h.SetUpWizard = [this](Settings& s) {
        session_.ui.hideSplash();
        if (hooks_.SetUpWizard)
            hooks_.SetUpWizard(s);
    };
    return h;
}

void AppController::start()
{
    QCoreApplication::setApplicationName(kTitle);
    // Settings are not loaded yet, so debug logging is still off: this only asks
    // for a fresh file when it is on.
    session_.logs.AddToDebugLog("Start Up", true);
    if (hooks_.showSplash)
        hooks_.showSplash();
    session_.db.create();
}

void AppController::FormShow()
{
    Settings& settings = session_.settings;
    settingsStore_.Loadentries(settings);
    settingsRead_ = true;
    if (view_)
        view_->readGridLayout();
    SetLoadAllRecords();
    UpdateCaption();
    if (settings.AutoScanStartUp)
        timers_.armStartUpCheck();
    else
        timers_.CommenceTimer();
    try {
        SetCurrentMode(settings.CurrentMode);
    } catch (const std::exception& e) {
        session_.ui.hideSplash();
        session_.ui.warn(databaseErrorText(QString::fromUtf8(e.what())));
    }
    tbcDatabaseChange(tab_);
    session_.ui.hideSplash();
    shown_ = true;
    QTimer::singleShot(0, this, [this] { offerInterruptedMailing(); });
}

std::unique_ptr<StaggerPause> AppController::staggerPause() const
{
    if (hooks_.staggerPause)
        return hooks_.staggerPause();
    return std::make_unique<ClockPause>([](int ms) { QThread::msleep(ulong(ms)); });
}

void AppController::offerInterruptedMailing()
{
    if (!session_.db.isOpen())
        return;
    newformpreparation(true);
    guarded("FormShow", "resuming an interrupted mailing", [this] {
        const std::unique_ptr<StaggerPause> pause = staggerPause();
        MailingRun run(session_.db.database().connection(), session_.db.resolvedFolder(), session_.settings,
                       session_.CreatedmMailSend(), session_.ui, *pause);
        run.offerResume();
    });
    newformpreparation(false);
}

void AppController::SetCurrentMode(const QString& mode)
{
    if (mode.isEmpty())
        return;
    session_.currentMode = mode;
    const auto parsed = ModeString::parse(mode);
    if (!parsed)
        return;
    if (parsed->tab >= kMainTabCount)
        throw std::out_of_range("The view " + std::to_string(parsed->tab) + " does not exist");
    if (!parsed->filter.isEmpty())
        parseFilter(parsed->filter);  // a filter the table cannot apply raises here
    tab_ = parsed->tab;
    filter_ = parsed->filter;
    if (tab_ == SelectGroupsTab)
        listChoices.readGroupFilter(filter_, session_.settings.Cats);
    else if (tab_ == OtherTab)
        listChoices.readOtherFilter(filter_, session_.settings);
    if (view_)
        view_->showTab(tab_);
    UpdateDisplay(false);
}

void AppController::tbcDatabaseChange(int tab)
{
    if (tab < 0 || tab >= kMainTabCount)
        return;
    tab_ = tab;
    if (view_)
        view_->showTab(tab);
    if (shown_ && tab == SelectGroupsTab && groupListIsBare())
        session_.ui.inform(groupsHintText());
    UpdateDisplay(true);
    if (view_)
        view_->refreshInformation();
}

bool AppController::groupListIsBare() const
{
    const QStringList& cats = session_.settings.Cats;
    return cats.isEmpty() ||
           (cats.size() == 1 && cats.front().compare("default", Qt::CaseInsensitive) == 0);
}

QString AppController::GetModeEntriesText() const
{
    return ::GetModeEntriesText(tab_, listChoices.displayGroups);
}

ListContext AppController::listContext() { return listContext(session_.settings); }

ListContext AppController::listContext(Settings& settings)
{
    ListContext ctx{settings, session_.logs, session_.ui, session_.db, session_.statistics};
    // Requests entered here (manual entry, import) are acknowledged at once; the
    // check run queues its own instead, to send after its commit.
    ctx.SendAcknowledgement = [this](const QString& address, const QString& result, bool subscribe) {
        ::SendAcknowledgement(session_.settings, session_.logs, session_.CreatedmMailSend(), address, result,
                              subscribe);
    };
    return ctx;
}

void AppController::settingsApplied()
{
    UpdateCaption();
    SetLoadAllRecords();
    requestGroupFilterRefresh();
}

QString AppController::tabFilter() const
{
    switch (tab_) {
    case SelectGroupsTab: return listChoices.groupFilter(session_.settings.Cats);
    case SearchTab: return kSearchHitFilter;
    case OtherTab:
        return listChoices.other ? otherViewFilterText(*listChoices.other, session_.settings,
                                                       QDateTime::currentDateTime())
                                 : QString();
    default: return {};
    }
}

void AppController::UpdateDisplay(bool refilter)
{
    const BusyCursor busy(session_.ui);
    const bool open = session_.db.isOpen();
    if (open && !filtered())
        totalEntries_ = session_.db.database().entries().count();
    adviseCacheLimit(session_.settings, session_.ui, totalEntries_);
    if (refilter) {
        const bool wasFiltered = filtered();
        filter_ = tabFilter();
        // Unfiltered now, the count shown is the table's own.
        if (open && wasFiltered && !filtered())
            totalEntries_ = session_.db.database().entries().count();
    }
    qint64 shown = totalEntries_;
    if (open && filtered()) {
        try {
            shown = session_.db.database().entries().count(parseFilter(filter_));
        } catch (const std::exception& e) {
            session_.logs.debug("UpdateDisplay", QString::fromUtf8(e.what()));
            shown = 0;
        }
    }
    countLine_ = countLineText(shown, filtered(), totalEntries_);
    if (view_) {
        view_->showEntries(tab_ == InformationTab || !open ? QString() : filter_, tab_ != InformationTab && open);
        view_->setCountLine(countLine_);
    }
    UpdateCaption();
    // The remembered mode always describes what is on screen.
    session_.currentMode = ModeString{tab_, filter_}.toString();
}

void AppController::SetGroupFilter()
{
    if (tab_ == SelectGroupsTab)
        UpdateDisplay(true);
}

void AppController::cmbOtherSearchChange(OtherView view)
{
    listChoices.other = view;
    if (tab_ == OtherTab)
        UpdateDisplay(true);
}

bool AppController::btnSearchClick(const SearchRequest& request)
{
    if (!session_.db.isOpen())
        return false;
    return ::btnSearchClick(listContext(), request, [this] {
        UpdateDisplay(true);
        return session_.db.database().entries().count(parseFilter(kSearchHitFilter));
    });
}

void AppController::SetLoadAllRecords()
{
    if (view_)
        view_->SetLoadAllRecords(session_.settings.LimitDBCache ? session_.settings.DBCacheSize : 0);
}

void AppController::newformpreparation(bool entering)
{
    if (entering) {
        if (modalDepth_++ > 0)
            return;
        if (view_)
            view_->setGridFollowsTable(false);
        timers_.DisableTimer();
        return;
    }
    if (modalDepth_ == 0 || --modalDepth_ > 0)
        return;
    if (view_)
        view_->setGridFollowsTable(true);
    UpdateDisplay(true);
    timers_.CommenceTimer();
}

QString AppController::caption() const
{
    const QString configured = session_.db.currentFolder();
    QString shown = configured;
    if (configured.isEmpty() || configured == "%")
        shown = session_.folders.application;
    else if (configured == "%\\DB" || configured == "%/DB")
        shown = session_.folders.defaultDatabasePath();
    return QString(kTitle) + "  (Database: " + shown + ")";
}

void AppController::UpdateCaption()
{
    if (view_)
        view_->setCaption(caption());
}

void AppController::btngetoutlookClick()
{
    const ListContext ctx = listContext();
    const MailStores stores = mailStoresFor(session_.settings, session_.folders);
    CheckRunHooks hooks;
    if (hooks_.GetOutlookFolder)
        hooks.pass.chooseMoveFolder = [this] {
            return hooks_.GetOutlookFolder("Please select the mail folder to move processed messages to");
        };
    hooks.pass.openCheckWindow = hooks_.openCheckWindow;
    hooks.CreatedmMailSend = [this] { return &session_.CreatedmMailSend(); };
    hooks.cache = &session_.recipientCache;
    hooks.pass.showStatus = [this](const QString& text) {
        if (view_)
            view_->showStatus(text);
    };
    hooks.newformpreparation = [this](bool start) {
        if (start) {
            timers_.DisableTimer();
            return;
        }
        if (view_)
            view_->showStatus({});
        UpdateDisplay(false);
        if (view_ && tab_ == InformationTab)
            view_->refreshInformation();
        timers_.CommenceTimer();
    };
    CheckCounts counts;
    ::btngetoutlookClick(ctx, stores, hooks, counts);
}

QString AppController::checkCaption() const
{
    return session_.settings.EmailSoftware == 1 ? "Check Mail Account for New Entries" : "Check for New Entries";
}

void AppController::BeforeLoading()
{
    newformpreparation(true);
}

void AppController::AfterLoading()
{
    if (view_)
        view_->refreshInformation();
    newformpreparation(false);
}

void AppController::openDatabaseFromDialog()
{
    BeforeLoading();
    try {
        session_.db.PromptToLoadDB();
    } catch (const std::exception& e) {
        AppException(QString::fromUtf8(e.what()));
    }
    AfterLoading();
}

void AppController::mkreopenonclick(const QString& folder)
{
    BeforeLoading();
    try {
        if (!folder.isEmpty() && session_.db.databaseexistsindirectory(fixpath(folder, true))) {
            session_.db.OpenDatabase(folder);
        } else if (session_.ui.askOkCancel(
                       "Corvanel cannot locate this database.  Please use File|Open Database to "
                       "load it.\n\nYour recent databases list will be refreshed.",
                       Ui::Icon::Warning)) {
            recentListRefreshPending_ = true;
            scheduleIdle();
        }
    } catch (const std::exception&) {
        session_.ui.warn("Error opening your database");
    }
    AfterLoading();
}

void AppController::optimiseFromMenu()
{
    BeforeLoading();
    try {
        session_.db.OptimiseDatabase(true);
    } catch (const std::exception& e) {
        AppException(QString::fromUtf8(e.what()));
    }
    AfterLoading();
}

void AppController::renameDatabase()
{
    if (!session_.db.renameDatabase())
        return;
    if (view_)
        view_->refreshInformation();
}

void AppController::requestGroupFilterRefresh()
{
    groupFilterRefreshPending_ = true;
    scheduleIdle();
}

void AppController::scheduleIdle()
{
    // A zero timer fires once the events already queued have been handled.
    if (idleScheduled_)
        return;
    idleScheduled_ = true;
    QTimer::singleShot(0, this, [this] { DoIdle(); });
}

void AppController::DoIdle()
{
    idleScheduled_ = false;
    if (groupFilterRefreshPending_) {
        groupFilterRefreshPending_ = false;
        SetGroupFilter();
    }
    if (recentListRefreshPending_) {
        recentListRefreshPending_ = false;
        session_.db.recent().UpdateRecentList(true);
    }
}

void AppController::AppException(const QString& message)
{
    session_.logs.debug("AppException", message);
    session_.ui.message(Ui::Icon::Error, message);
}

bool AppController::FormCloseQuery()
{
    Ui& ui = session_.ui;
    if (timers_.tmrSchedSend.isActive() &&
        !ui.askYesNo("You have a scheduled sending which has not completed.  Are you sure you "
                     "want to exit?"))
        return false;
    if (session_.settings.BackUpOnExit && !hooks_.backUpOnExit() &&
        !ui.askYesNo("An error was encountered saving your back up file.  Do you still want to "
                     "close?"))
        return false;
    return true;
}

void AppController::guarded(const QString& routine, const QString& step,
                            const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        session_.logs.debug(routine, step + " failed: " + QString::fromUtf8(e.what()));
    } catch (...) {
        session_.logs.debug(routine, step + " failed");
    }
}

void AppController::FormClose()
{
    timers_.DisableTimer();
    // Closed before FormShow read them (ended during the start-up), the settings and
    // the grid layout in memory are the defaults: saved, they would replace the
    // user's. The database state is the only thing of the user's in hand.
    if (!settingsRead_) {
        guarded("FormClose", "SaveDatabase", [this] { session_.db.SaveDatabase(); });
        return;
    }
    guarded("FormClose", "Grid layout", [this] {
        if (view_)
            view_->saveGridLayout();
    });
    bool saved = false;
    guarded("FormClose", "SaveEntries", [&] {
        session_.settings.CurrentMode = session_.currentMode;
        saved = settingsStore_.SaveEntries(session_.settings);
    });
    guarded("FormClose", "SaveDatabase", [&] {
        try {
            session_.db.SaveDatabase();
        } catch (const std::exception& e) {
            // Told only when the settings' save had nothing to tell: it saved the
            // database state first, which fails there the same way as here.
            if (saved)
                session_.ui.warn(QString::fromUtf8(e.what()));
            throw;
        }
    });
}

void AppController::FormDestroy()
{
    if (settingsRead_) {  // as in FormClose
        guarded("FormDestroy", "DBPath", [this] {
            settingsStore_.SaveDatabasePath(
                session_.db.symbolicFolder(session_.db.currentFolder()));
        });
    }
    guarded("FormDestroy", "Recent list", [this] { session_.saveRecentList(); });
}
