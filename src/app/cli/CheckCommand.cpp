#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "mail/MailStoresFromSettings.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/ListContext.h"

namespace {
int check(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const ListContext ctx{session->settings, session->logs, session->ui, session->db, session->statistics};
    const MailStores stores = mailStoresFor(session->settings, session->folders);
    CheckRunHooks hooks;
    hooks.CreatedmMailSend = [session] { return &session->CreatedmMailSend(); };
    hooks.cache = &session->recipientCache;
    CheckCounts counts;
    const bool ran = btngetoutlookClick(ctx, stores, hooks, counts);
    call.out << "looked at " << counts.lookedAt << ", acted on " << counts.actedOn << ", left " << counts.left
             << ", failed " << counts.failed << Qt::endl;
    return ran ? 0 : 1;
}
}  // namespace

CliCommand checkCommand()
{
    return {"check",
            "Checks the mail folders for new entries with the configured settings, as the desktop program does.",
            {},
            {},
            check};
}
