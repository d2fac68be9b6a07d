#include "mailings/LockedRun.h"

#include "mailings/MailingServices.h"
#include "mailings/SendRunLock.h"
#include "mailings/SendRunQuestions.h"
#include "sending/TdmMailSend.h"

RunSummary RunUnderSendLock(const MailingServices& s, int method, const std::function<RunSummary(MailingRun&)>& work)
{
    if (!InternetCheckPasses(s.settings, method, s.ui))
        return {};
    SendRunLock lock(s.databaseFolder);
    if (!lock.acquire(s.ui))
        return {};
    s.mailSend.flags.HideSendErrors = false;
    s.mailSend.AddToSendLog(QStringLiteral("Commencing Send"), true);
    MailingRun run(s.connection, s.databaseFolder, s.settings, s.mailSend, s.ui, s.pause);
    return work(run);
}
