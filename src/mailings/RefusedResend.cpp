#include "mailings/RefusedResend.h"

#include "base/Ui.h"
#include "mailings/LockedRun.h"
#include "mailings/SendDialogRun.h"

bool ResendToRefused(const MailingServices& s, const SendListTable& source)
{
    const int method = MailingRun::parametersOf(source).second.method;
    const RunSummary summary =
        RunUnderSendLock(s, method, [&](MailingRun& run) { return run.resendToRefused(source); });
    if (!summary.started || summary.end == RunEnd::NotConnected)
        return false;
    s.ui.inform(SendDialogRun::resultMessage(method, summary.recipients, {}));
    return true;
}
