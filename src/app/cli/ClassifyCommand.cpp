#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "mail/MailMessage.h"
#include "subscriptions/Classification.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/MessageFields.h"
#include "subscriptions/SenderRetrieval.h"

#include <QFile>

namespace {

// The kind of one message and what it would act on, as a check would see it.
QString classifyFile(Session& session, Settings& quiet, const QByteArray& bytes)
{
    const MailMessage mail = parseMailMessage(bytes);
    CurrentMessage message;
    message.chkScanListChanges = true;
    SenderRetrieval senders(quiet, session.logs, session.ui);
    takeMessage(message, mail, quiet, &senders, QDateTime::currentDateTime());
    const Classification what = classifyMessage(quiet, message);
    return (QStringList{kindName(what.kind)} + what.addresses).join(' ');
}

int classify(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    // Changes nothing, not even the sender method a failing message would offer to switch.
    Settings quiet = session->settings;
    quiet.AlwaysShowSenderError = false;
    int unreadable = 0;
    for (const QString& path : call.arguments()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            call.err << path << ": " << file.errorString() << Qt::endl;
            ++unreadable;
            continue;
        }
        call.out << path << ": " << classifyFile(*session, quiet, file.readAll()) << Qt::endl;
    }
    return unreadable == 0 ? 0 : 1;
}

}  // namespace

CliCommand classifyCommand()
{
    return {"classify",
            "Prints what each message file is (subscribe, unsubscribe, change, webform, bounce, warning, autoreply "
            "or none) and the addresses it would act on, changing nothing.",
            {},
            {{"FILE", "a message file (RFC 5322)", true}},
            classify};
}
