#include "app/ModeString.h"
#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliMailing.h"
#include "mailings/SendRunQuestions.h"
#include "sending/FieldCodes.h"
#include "util/RtfToHtml.h"

#include <QTextDocumentFragment>

namespace {

// ResendLogMessage, without the dialog: the logged message to the logged view.
int resend(CliCall& call)
{
    bool numeric = false;
    const qint64 index = call.arguments().value(0).toLongLong(&numeric);
    if (!numeric || call.arguments().size() != 1) {
        call.err << "resend: give the number of one send-log record (see corvanel-cli send-log)" << Qt::endl;
        return 2;
    }
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const std::optional<SendLogRecord> record = SendLogTable(session->db.database().connection()).read(index);
    if (!record || (record->Subject.isEmpty() && record->Body.isEmpty())) {
        call.err << "resend: the send log has no message numbered " << index << Qt::endl;
        return 1;
    }
    const std::optional<ModeString> mode = ModeString::parse(record->RecipientString);
    if (!mode) {
        call.err << "resend: that message went to typed addresses, which the log does not keep; resend it from the "
                    "desktop program"
                 << Qt::endl;
        return 1;
    }
    CliMailing mailing;
    mailing.record = *record;
    mailing.filter = mode->filter;
    RunMessage& message = mailing.message;
    message.subject = record->Subject;
    message.html = record->IsHTML;
    message.body = record->IsHTML && !record->CustomHTML ? RtfTextToHtml(record->Body) : record->Body;
    if (message.html)
        message.plainAlternative = QTextDocumentFragment::fromHtml(message.body).toPlainText();
    message.personalised = HasFieldCodes(message.subject) || HasFieldCodes(message.body);
    const std::optional<QStringList> attachments = AttachmentsToSend(record->Attachments, session->ui);
    if (!attachments)
        return 1;
    message.attachments = *attachments;
    mailing.record.Attachments = *attachments;
    return runCliMailing(call, *session, &mailing);
}

int sendLog(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    for (const SendLogRecord& r : SendLogTable(session->db.database().connection()).all())
        call.out << r.Index << '\t' << r.Date.toString(Qt::ISODate) << '\t' << r.RecipientCount << '\t'
                 << r.Recipients << '\t' << (r.runOpen ? "interrupted" : "") << '\t' << r.Subject << Qt::endl;
    return 0;
}

}  // namespace

CliCommand resendCommand()
{
    return {"resend",
            "Sends a message of the send log again, to the recipients it was sent to (the view of that time).",
            {},
            {{"ID", "the send-log record's number"}},
            resend};
}

CliCommand sendLogCommand()
{
    return {"send-log",
            "Lists the send log, newest first: number, date, recipients, their description, whether its run was "
            "interrupted, subject.",
            {},
            {},
            sendLog};
}
