#include "app/cli/CliMailing.h"

#include "app/Session.h"
#include "app/TerminationSignals.h"
#include "app/cli/CliCall.h"
#include "base/Ui.h"
#include "mailings/ClockPause.h"
#include "mailings/RecipientTableBuilder.h"
#include "mailings/SendRunLock.h"
#include "mailings/SendRunQuestions.h"
#include "sending/TdmMailSend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

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

// The send run's questions before it starts; false when one was answered No.
bool mayStart(Session& session, const RunMessage& message)
{
    return AskDefaultSendMethod(session.settings, session.ui) &&
           ConfirmMessageContent(message.subject, message.body, session.ui) &&
           InternetCheckPasses(session.settings, session.settings.EmailMethod, session.ui);
}

}  // namespace

int runCliMailing(CliCall& call, Session& session, const CliMailing* mailing)
{
    const QString folder = session.db.resolvedFolder();
    SendRunLock lock(folder);
    if (!lock.acquire(session.ui))
        return 1;
    TerminationSignals termination;
    ClockPause pause([&termination](int ms) { waitUnlessStopped(ms, termination); });
    TdmMailSend& mailSend = session.CreatedmMailSend();
    MailingRun run(session.db.database().connection(), folder, session.settings, mailSend, session.ui, pause);
    run.stopRequested = [&termination] {
        QCoreApplication::processEvents();
        return termination.received();
    };
    if (!mailing) {
        const RunSummary summary = run.resume();
        if (!summary.started) {
            call.err << "There is no interrupted mailing to resume." << Qt::endl;
            return 1;
        }
        return finish(call, summary);
    }
    if (session.settings.EmailMethod == 4) {
        call.err << "The relay server is not available here; choose another send method in the options" << Qt::endl;
        return 1;
    }
    if (!mayStart(session, mailing->message))
        return 1;
    RunOptions options;
    options.method = session.settings.EmailMethod;
    options.recipientsPerMessage = std::max(1, session.settings.MessageRecipientCount);
    options.staggerDelay = session.settings.StaggerDelay;
    if (!session.settings.DefaultToAddress.isEmpty())
        options.extraTo = {session.settings.DefaultToAddress};
    SendListTable table(session.db.database().connection(), folder);
    if (!table.CreateSendMailTable(session.ui))
        return 1;
    const qint64 logIndex = run.SaveEmailToSendLog(mailing->record, table);
    run.prepare(table, logIndex, mailing->message, options, mailing->filter);
    RecipientTableBuilder builder(table, session.settings, session.ui, mailSend.flags);
    if (!builder.fromEntries(parseFilter(mailing->filter), mailing->message.personalised))
        return 1;
    return finish(call, run.send(table, logIndex, mailing->message, options));
}
