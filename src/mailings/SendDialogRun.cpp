#include "mailings/SendDialogRun.h"

#include "base/Ui.h"
#include "mailings/LockedRun.h"
#include "mailings/RecipientTableBuilder.h"
#include "sending/FieldCodes.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"

#include <QSaveFile>

namespace {

// Where the result message says the messages went.
QString destination(int method)
{
    switch (method) {
    case 0: return QStringLiteral("via your system's mail software");
    case 1:
    case 2: return QStringLiteral("through your mail account (a copy is kept in its Sent folder)");
    case 3: return QStringLiteral("via your ISP's SMTP server");
    default: return QStringLiteral("via the CVN SMTP Relay Server");
    }
}

bool writeLines(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines)
        file.write((line + "\r\n").toUtf8());
    return file.commit();
}

}  // namespace

SendDialogRun::SendDialogRun(Services services, SendListTable& table) : s_(std::move(services)), table_(table) {}

qint64 SendDialogRun::recipientCount() const { return table_.count(); }

bool SendDialogRun::btnrecalcClick(const RecipientSelection& selection, bool personalised)
{
    RecipientTableBuilder builder(table_, s_.settings, s_.ui, s_.mailSend.flags);
    if (selection.kind == RecipientChoice::Custom) {
        accurate_ = builder.fromLines(selection.customLines, selection.ignoreInvalid, rejects_);
        return accurate_;
    }
    rejects_.clear();
    try {
        const SqlFilter filter = selection.kind == RecipientChoice::All
                                     ? SqlFilter{}
                                     : parseFilter(selection.filterExpression);
        accurate_ = builder.fromEntries(filter, personalised);
    } catch (const FilterError& error) {
        s_.ui.warn("An error was encountered calculating your recipients: " + QString::fromUtf8(error.what()));
        accurate_ = false;
    }
    return accurate_;
}

bool SendDialogRun::ensureAccurate(const RecipientSelection& selection, bool personalised)
{
    if (!accurate_)
        btnrecalcClick(selection, personalised);
    if (!accurate_)
        s_.ui.warn(QStringLiteral("Your message could not be sent because your unique recipient list was not "
                                  "generated successfully!"));
    return accurate_;
}

bool SendDialogRun::sendNow(const RunMessage& message, SendLogRecord record, const RunOptions& options,
                            const RecipientSelection& selection)
{
    if (!ensureAccurate(selection, message.personalised))
        return false;
    record.Recipients = selection.description();
    record.RecipientString = selection.kind == RecipientChoice::Custom ? QString() : selection.modeString;
    MailingRun log(s_.connection, s_.databaseFolder, s_.settings, s_.mailSend, s_.ui, s_.pause);
    const qint64 logIndex = log.SaveEmailToSendLog(record, table_);
    keepTable_ = true;  // with its log record, for a resume and the recipient viewer
    const RunSummary summary = CommenceSending(logIndex, message, options);
    if (!summary.started || summary.end == RunEnd::NotConnected)
        return false;
    s_.ui.inform(resultMessage(options.method, summary.recipients, resultNotes()));
    return true;
}

RunSummary SendDialogRun::CommenceSending(qint64 logIndex, const RunMessage& message, const RunOptions& options)
{
    return RunUnderSendLock(s_, options.method,
                            [&](MailingRun& run) { return run.send(table_, logIndex, message, options); });
}

void SendDialogRun::SendTestClick(const RunMessage& message, const RunOptions& options)
{
    s_.mailSend.flags.HideSendErrors = false;
    SendByMethodCall call;
    const bool throughServer = options.method == 3 || options.method == 4;
    if (throughServer) {
        const std::optional<QString> address =
            s_.ui.inputText(QStringLiteral("Test Message Recipient"),
                            QStringLiteral("Enter an e-mail address to send a test to"));
        if (!address || address->trimmed().isEmpty())
            return;
        call.bcc = {address->trimmed()};
    }
    const FieldValues test{QStringLiteral("Test_Full_Name"), QStringLiteral("Test_First_Name"),
                           QStringLiteral("Test_Surname"), QStringLiteral("Test_Company"),
                           QStringLiteral("test.recipient@example.invalid")};
    call.personalise = true;
    call.displayOnly = !throughServer;
    call.to = options.recipientsPerMessage == 1 ? QStringList{} : options.extraTo;
    call.cc = options.extraCc;
    call.subject = message.personalised ? ReplaceFieldCodes(message.subject, test, s_.settings) : message.subject;
    call.body = message.personalised ? ReplaceFieldCodes(message.body, test, s_.settings) : message.body;
    call.plainAlternative = message.plainAlternative;
    call.bodyIsHtml = message.html;
    call.attachments = message.attachments;
    call.method = options.method;
    call.connectForThisMessage = true;
    s_.mailSend.SendByMethod(call);
    if (throughServer)
        s_.ui.inform(QStringLiteral("Sending of your test message has completed!"));
}

QString SendDialogRun::resultNotes() const
{
    QString notes;
    if (!rejects_.isEmpty()) {
        const QString path = s_.databaseFolder + QStringLiteral("Rejects.txt");
        if (writeLines(path, rejects_))
            notes += QStringLiteral("\r\n\r\n%1 of the specified addresses were rejected as invalid.  The list of "
                                    "invalid files has been saved to %2.")
                         .arg(rejects_.size())
                         .arg(path);
    }
    if (s_.settings.SendLog)
        notes += "\r\n\r\nA log file has been saved to " + s_.databaseFolder + "SendLog.txt.";
    return notes;
}

QString SendDialogRun::resultMessage(int method, qint64 recipients, const QString& notes)
{
    return QStringLiteral("Your e-mails to %1 recipients have been sent %2.").arg(recipients).arg(destination(method)) +
           notes;
}
