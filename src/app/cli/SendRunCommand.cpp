#include "app/ModeString.h"
#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliMailing.h"
#include "reports/ViewFilters.h"
#include "sending/FieldCodes.h"
#include "util/TextFiles.h"

#include <QFileInfo>
#include <QTextDocumentFragment>

namespace {

const QCommandLineOption kSubject{"subject", "The subject line (field codes such as %FIRST_NAME% are replaced).", "S"};
const QCommandLineOption kBodyFile{"body-file", "The message text: a UTF-8 text file (HTML with --html).", "F"};
const QCommandLineOption kHtml{"html", "The body file holds HTML; a plain-text alternative is made from it."};
const QCommandLineOption kGroup{"group", "Send only to the entries of this group.", "G"};
const QCommandLineOption kAttach{"attach", "A file to attach. May be given more than once.", "F"};
const QCommandLineOption kResume{"resume", "Continue the most recent interrupted mailing instead."};

// The message and its recipients from the options; nullopt (said on err) for a usage error.
std::optional<CliMailing> newRunFrom(CliCall& call)
{
    const QCommandLineParser& options = call.parser();
    CliMailing run;
    run.message.subject = options.value(kSubject);
    run.message.html = options.isSet(kHtml);
    run.message.attachments = options.values(kAttach);
    for (const QString& file : std::as_const(run.message.attachments))
        if (!QFileInfo(file).isFile()) {
            call.err << "send-run: no such file to attach: " << file << Qt::endl;
            return std::nullopt;
        }
    if (!options.isSet(kBodyFile)) {
        call.err << "send-run: give the message text with --body-file" << Qt::endl;
        return std::nullopt;
    }
    QString reason;
    const std::optional<QString> body = readText(options.value(kBodyFile), &reason);
    if (!body) {
        call.err << "send-run: " << cannotReadText(options.value(kBodyFile), reason) << Qt::endl;
        return std::nullopt;
    }
    run.message.body = *body;
    if (run.message.html)
        run.message.plainAlternative = QTextDocumentFragment::fromHtml(run.message.body).toPlainText();
    run.message.personalised = HasFieldCodes(run.message.subject) || HasFieldCodes(run.message.body);
    if (options.isSet(kGroup)) {
        run.filter = groupFilterText({options.value(kGroup)}, {true}, true);
        run.record.Recipients = GetModeEntriesText(SelectGroupsTab, true);
        run.record.RecipientString = ModeString{SelectGroupsTab, run.filter}.toString();
    } else {
        run.record.Recipients = QStringLiteral("All Database Contacts");
        run.record.RecipientString = ModeString{AllMailingListTab, {}}.toString();
    }
    run.record.Subject = run.message.subject;
    run.record.Body = run.message.body;
    run.record.IsHTML = run.message.html;
    run.record.CustomHTML = run.message.html;
    run.record.Attachments = run.message.attachments;
    return run;
}

int sendRun(CliCall& call)
{
    std::optional<CliMailing> request;
    if (!call.parser().isSet(kResume) && !(request = newRunFrom(call)))
        return 2;
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    return runCliMailing(call, *session, request ? &*request : nullptr);
}

}  // namespace

CliCommand sendRunCommand()
{
    return {"send-run",
            "Sends one message to the whole list or one group, with this home's send settings; or, with --resume, "
            "continues the most recent interrupted mailing.",
            {kSubject, kBodyFile, kHtml, kGroup, kAttach, kResume},
            {},
            sendRun};
}
