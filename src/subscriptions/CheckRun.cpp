#include "subscriptions/CheckRun.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/TdmML.h"
#include "subscriptions/ListContext.h"

#include <QLockFile>

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

bool runPasses(const ListContext& ctx, const MailStores& stores, const CheckRunHooks& hooks, CheckCounts& counts)
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
        return runCheckPass(ctx, stores, hooks.pass, true, true, counts);
    bool ran = runCheckPass(ctx, stores, hooks.pass, true, false, counts);
    if (s.UserSending && (!s.UserSendingFolder.isEmpty() || defaultInboxOnly))
        ran = runCheckPass(ctx, stores, hooks.pass, false, true, counts) && ran;
    return ran;
}

}  // namespace

bool btngetoutlookClick(const ListContext& ctx, const MailStores& stores, const CheckRunHooks& hooks,
                        CheckCounts& counts)
{
    QLockFile lock(ctx.db.database().folder() + "Check.lock");
    // Held for the whole run, however long; a lock whose process died is taken over.
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        ctx.ui.inform("A check for new entries is already running.");
        return false;
    }
    ctx.logs.debug("GetOutlookClick", "Commence");
    const Settings& s = ctx.settings;
    if ((s.UserSending || s.UnsubAcknowledgement || s.SubAcknowledgement) && hooks.CreatedmMailSend)
        hooks.CreatedmMailSend();
    bool ran = false;
    {
        FrozenView frozen(hooks);
        ran = runPasses(ctx, stores, hooks, counts);
        ctx.logs.debug("GetOutlookClick", "newformpreparation(false)");
    }
    ctx.logs.debug("GetOutlookClick", "End");
    return ran;
}
