#include "subscriptions/CheckRun.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/CheckJournal.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "store/TdmML.h"
#include "subscriptions/Acknowledgements.h"
#include "subscriptions/Forwarding.h"
#include "subscriptions/ListContext.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

bool listFolderChosen(const Settings& settings)
{
    return !settings.MailingListFolder.isEmpty() && settings.MailingListFolder != "Default Folder (Inbox)";
}

// Freezes the view for the run and always restores it, so the timers come back
// whatever way the run ends.
class FrozenView {
public:
    explicit FrozenView(const CheckRunHooks& hooks) : hooks_(hooks)
    {
        if (hooks_.newformpreparation)
            hooks_.newformpreparation(true);
    }
    ~FrozenView()
    {
        if (hooks_.newformpreparation)
            hooks_.newformpreparation(false);
    }
    FrozenView(const FrozenView&) = delete;
    FrozenView& operator=(const FrozenView&) = delete;

private:
    const CheckRunHooks& hooks_;
};

bool runPasses(const ListContext& ctx, const MailStores& stores, const CheckHooks& hooks, CheckCounts& counts)
{
    const Settings& s = ctx.settings;
    const bool defaultInboxOnly = s.RetrieveMethod == 1;
    if (!listFolderChosen(s) && !defaultInboxOnly) {
        ctx.ui.inform("You have not specified the mailing list folder that you wish to scan under View|Options, "
                      "Scanning.");
        return false;
    }
    ctx.logs.debug("GetOutlookClick", "ProcessFolder");
    if (s.UserSending && s.MailingListFolder == s.UserSendingFolder)
        return runCheckPass(ctx, stores, hooks, true, true, counts);
    bool ran = runCheckPass(ctx, stores, hooks, true, false, counts);
    if (s.UserSending && (!s.UserSendingFolder.isEmpty() || defaultInboxOnly))
        ran = runCheckPass(ctx, stores, hooks, false, true, counts) && ran;
    return ran;
}

// Whether the process that holds the lock file is gone. Qt's own test misses a
// process killed as it made the file, or as it took over an earlier left-over
// lock. Qt holds a kernel lock on the file for as long as its lock is held, which
// the kernel drops when the process dies; elsewhere a file whose process is
// unknown is taken to be left behind after a few seconds.
bool lockIsLeftBehind(const QLockFile& lock)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(lock.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
#else
    constexpr qint64 kUnfinishedLockSeconds = 10;
    qint64 pid = 0;
    QString host;
    QString application;
    const QFileInfo file(lock.fileName());
    return !lock.getLockInfo(&pid, &host, &application) && file.exists()
           && file.lastModified().secsTo(QDateTime::currentDateTime()) >= kUnfinishedLockSeconds;
#endif
}

// A lock left by a check that died is taken over.
bool takeCheckLock(QLockFile& lock)
{
    lock.setStaleLockTime(0);  // held for the whole run, however long
    if (lock.tryLock(0))
        return true;
    if (!lockIsLeftBehind(lock))
        return false;
    return lock.removeStaleLockFile() && lock.tryLock(0);
}

void sendAcknowledgementsOf(const ListContext& ctx, TdmMailSend& mailSend)
{
    try {
        CheckJournal journal(ctx.db.database());
        sendQueuedAcknowledgements(ctx.settings, ctx.logs, mailSend, journal);
    } catch (const StoreError& e) {
        // They stay queued for the next check.
        ctx.logs.AddToLog("Error sending Acknowledgement e-mails: " + QString::fromUtf8(e.what()));
    }
}

}  // namespace

bool btngetoutlookClick(const ListContext& ctx, const MailStores& stores, const CheckRunHooks& hooks,
                        CheckCounts& counts)
{
    if (!ctx.db.database().isOpen(TableId::Entries)) {
        ctx.ui.warn("No database is open.");
        return false;
    }
    QLockFile lock(ctx.db.database().folder() + "Check.lock");
    if (!takeCheckLock(lock)) {
        ctx.ui.inform("A check for new entries is already running.");
        return false;
    }
    ctx.logs.debug("GetOutlookClick", "Commence");
    const Settings& s = ctx.settings;
    TdmMailSend* mailSend = nullptr;
    if ((s.UserSending || s.UnsubAcknowledgement || s.SubAcknowledgement) && hooks.CreatedmMailSend)
        mailSend = hooks.CreatedmMailSend();
    CheckHooks pass = hooks.pass;
    if (mailSend && hooks.cache && !pass.forwardmailmessage)
        pass.forwardmailmessage = [mailSend, cache = hooks.cache](const ListContext& c, CurrentMessage& message) {
            return forwardmailmessage(c, *mailSend, *cache, message);
        };
    bool ran = false;
    {
        FrozenView frozen(hooks);
        ran = runPasses(ctx, stores, pass, counts);
        ctx.logs.debug("GetOutlookClick", "newformpreparation(false)");
        // Only now are the changes they report committed.
        if (mailSend)
            sendAcknowledgementsOf(ctx, *mailSend);
    }
    ctx.logs.debug("GetOutlookClick", "End");
    return ran;
}
