#include "app/ModeString.h"
#include "app/Session.h"
#include "app/TerminationSignals.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "base/Ui.h"
#include "mailings/ClockPause.h"
#include "mailings/MailingRun.h"
#include "mailings/RecipientTableBuilder.h"
#include "mailings/SendRunLock.h"
#include "reports/ViewFilters.h"
#include "sending/FieldCodes.h"
#include "sending/SmtpInternetCheck.h"
#include "sending/TdmMailSend.h"
#include "util/TextFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTextDocumentFragment>
#include <QThread>

namespace {

const QCommandLineOption kSubject{"subject", "The subject line (field codes such as %FIRST_NAME% are replaced).", "S"};
const QCommandLineOption kBodyFile{"body-file", "The message text: a UTF-8 text file (HTML with --html).", "F"};
const QCommandLineOption kHtml{"html", "The body file holds HTML; a plain-text alternative is made from it."};
const QCommandLineOption kGroup{"group", "Send only to the entries of this group.", "G"};
const QCommandLineOption kAttach{"attach", "A file to attach. May be given more than once.", "F"};
const QCommandLineOption kResume{"resume", "Continue the most recent interrupted mailing instead."};

// The run waits out its stagger pauses here, and a SIGTERM meanwhile ends the wait.
void waitUnlessStopped(int milliseconds, const TerminationSignals& termination)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired() && !termination.received()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(std::min<qint64>(50, std::max<qint64>(1, deadline.remainingTime())));
    }
}

int finish(CliCall& call, const RunSummary& summary)
{
    call.out << MailingRun::tallyLine(summary.tally) << Qt::endl;
    return summary.end == RunEnd::Completed ? 0 : 1;
}

struct NewRun {
    RunMessage message;
    SendLogRecord record;
    QString filter;
};

// The message and its recipients from the options; nullopt (said on err) for a usage error.
std::optional<NewRun> newRunFrom(CliCall& call)
{
    const QCommandLineParser& options = call.parser();
    NewRun run;
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

// The send run's questions before it starts; false when one was answered No.
bool mayStart(Session& session, const RunMessage& message, int& method)
{
    Ui& ui = session.ui;
    if (method == -1) {
        if (!ui.askOkCancel(QStringLiteral("Your preferred e-mail sending method has not been specified.  The default, "
                                           "MAPI transport, will be used.  You can change this under View|Options, "
                                           "Sending, if you prefer another method or encounter any problems."),
                            Ui::Icon::Information))
            return false;
        method = session.settings.EmailMethod = 0;
    }
    if ((message.subject.isEmpty() || message.body.size() <= 2) &&
        !ui.askYesNo(QStringLiteral("You have not entered a subject or a message for this e-mail.  Are you sure you "
                                    "want to continue?")))
        return false;
    if (session.settings.Check4InternetConnection && method == 3 && !connectedToInternet(session.settings.SMTPHost) &&
        ui.message(Ui::Icon::Warning,
                   QStringLiteral("You do not appear to be connected to the Internet.  Please connect to the Internet "
                                  "and then click OK to proceed."),
                   Ui::Buttons::OkCancel) == Ui::Answer::Cancel)
        return false;
    return true;
}

int sendRun(CliCall& call)
{
    const bool resume = call.parser().isSet(kResume);
    std::optional<NewRun> request;
    if (!resume && !(request = newRunFrom(call)))
        return 2;
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const QString folder = session->db.resolvedFolder();
    SendRunLock lock(folder);
    if (!lock.acquire(session->ui))
        return 1;
    TerminationSignals termination;
    ClockPause pause([&termination](int ms) { waitUnlessStopped(ms, termination); });
    TdmMailSend& mailSend = session->CreatedmMailSend();
    MailingRun mailing(session->db.database().connection(), folder, session->settings, mailSend, session->ui, pause);
    mailing.stopRequested = [&termination] {
        QCoreApplication::processEvents();
        return termination.received();
    };
    if (resume) {
        const RunSummary summary = mailing.resume();
        if (!summary.started) {
            call.err << "There is no interrupted mailing to resume." << Qt::endl;
            return 1;
        }
        return finish(call, summary);
    }
    int method = session->settings.EmailMethod;
    if (method == 4) {
        call.err << "send-run: the relay server is not available here; choose another send method in the options"
                 << Qt::endl;
        return 2;
    }
    if (!mayStart(*session, request->message, method))
        return 1;
    RunOptions options;
    options.method = method;
    options.recipientsPerMessage = std::max(1, session->settings.MessageRecipientCount);
    options.staggerDelay = session->settings.StaggerDelay;
    if (!session->settings.DefaultToAddress.isEmpty())
        options.extraTo = {session->settings.DefaultToAddress};
    SendListTable table(session->db.database().connection(), folder);
    if (!table.CreateSendMailTable(session->ui))
        return 1;
    const qint64 logIndex = mailing.SaveEmailToSendLog(request->record, table);
    mailing.prepare(table, logIndex, request->message, options, request->filter);
    RecipientTableBuilder builder(table, session->settings, session->ui, mailSend.flags);
    if (!builder.fromEntries(parseFilter(request->filter), request->message.personalised))
        return 1;
    return finish(call, mailing.send(table, logIndex, request->message, options));
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
