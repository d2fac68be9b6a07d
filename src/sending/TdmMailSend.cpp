#include "sending/TdmMailSend.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "mail/MailErrors.h"
#include "mail/MailFolder.h"
#include "mail/MailStores.h"
#include "sending/MessageBytes.h"
#include "sending/SendmailTransport.h"
#include "sending/SmtpConnection.h"
#include "settings/Settings.h"

#include <exception>

namespace {

constexpr const char* kChangeMethod = "You can change your sending method under View|Options, Sending.";

QString errorText(const std::exception& e) { return QString::fromUtf8(e.what()); }

}  // namespace

TdmMailSend::TdmMailSend(const Settings& settings, Logs& logs, Ui& ui, std::function<QString()> databaseFolder,
                         std::function<MailStores()> mailStores)
    : settings_(settings), logs_(logs), ui_(ui), log_(logs, settings, std::move(databaseFolder)),
      mailStores_(std::move(mailStores))
{
}

TdmMailSend::~TdmMailSend() = default;

bool TdmMailSend::SendByMethod(const SendByMethodCall& call)
{
    lastSmtp_ = SmtpResult();
    switch (call.method) {
    case 1:
        return AccountSend(call, true);
    case 2:
        return AccountSend(call, false);
    case 3:
        return SMTPSend(call);
    case 4:
        return ServerSend(call);
    default:
        return MAPISend(call);
    }
}

void TdmMailSend::ShowSendError(const QString& text) { ::ShowSendError(ui_, flags, text, showRecipients); }

OutgoingMessage TdmMailSend::messageOf(const SendByMethodCall& call, bool html) const
{
    OutgoingMessage message;
    message.fromName = settings_.SMTPName;
    message.fromAddress = settings_.SMTPEmail;
    message.to = call.to;
    message.cc = call.cc;
    message.bcc = call.bcc;
    message.subject = call.subject;
    if (html && call.bodyIsHtml) {
        message.htmlBody = call.body;
        message.plainBody = call.plainAlternative;
    } else {
        // A method without HTML sends the body as it is, tags and all.
        message.plainBody = call.body;
    }
    message.attachmentPaths = call.attachments;
    return message;
}

void TdmMailSend::logRecipients(const SendByMethodCall& call)
{
    for (const QString& a : call.to)
        AddToSendLog("Adding Recipient: " + a);
    for (const QString& a : call.cc)
        AddToSendLog("Adding CC Recipient: " + a);
    for (const QString& a : call.bcc)
        AddToSendLog("Adding BCC Recipient: " + a);
}

bool TdmMailSend::MAPISend(const SendByMethodCall& call)
{
    AddToSendLog(QString());
    AddToSendLog("Sending message with sendmail");
    try {
        logRecipients(call);
        MessageBuildOptions options;
        options.keepBccHeader = true;  // sendmail -t finds the hidden recipients there
        const BuiltMessage built = buildMessageBytes(messageOf(call, false), options);
        if (!built.ok())
            throw std::runtime_error(built.error.toStdString());
        const SendmailOutcome outcome =
            call.displayOnly ? showInMailProgram(built.bytes) : sendThroughSendmail(settings_.SendmailPath, built.bytes);
        if (!outcome.handedOver) {
            AddToSendLog("Send Error:" + outcome.error);
            if (call.showErrors)
                ShowSendError("Sending of message with sendmail failed with the error: \n\n" + outcome.error);
            return false;
        }
    } catch (const std::exception& e) {
        AddToSendLog("Error: " + errorText(e));
        if (call.showErrors)
            ui_.inform(QString("sendmail Sending Error.  ") + kChangeMethod);
        return false;
    }
    AddToSendLog("SEND OK");
    return true;
}

bool TdmMailSend::AccountSend(const SendByMethodCall& call, bool plainOnly)
{
    return throughServer(call, {plainOnly ? "your mail account (plain text)" : "your mail account", !plainOnly, true,
                                true});
}

bool TdmMailSend::SMTPSend(const SendByMethodCall& call)
{
    return throughServer(call, {"SMTP", true, false, call.connectForThisMessage});
}

bool TdmMailSend::throughServer(const SendByMethodCall& call, const ServerRoute& route)
{
    AddToSendLog(QString());
    AddToSendLog("Sending Message with " + route.name);
    try {
        logRecipients(call);
        // No Bcc header: every recipient gets these same bytes.
        const BuiltMessage built = buildMessageBytes(messageOf(call, route.html), MessageBuildOptions{});
        if (!built.ok())
            throw std::runtime_error(built.error.toStdString());
        if (route.keepsCopy && call.displayOnly) {
            keepCopy(built, true);
        } else {
            const QString refused = submit(built, route.connectForThisMessage);
            if (!refused.isEmpty()) {
                ui_.hideProgress();
                AddToSendLog("SEND FAILURE: " + refused);
                if (call.showErrors)
                    ShowSendError("Sending of message with " + route.name + " failed with the error: \n\n" + refused);
                return false;
            }
            if (route.keepsCopy)
                keepCopy(built, false);
        }
    } catch (const std::exception& e) {
        AddToSendLog("Error: " + errorText(e));
        if (call.showErrors)
            ui_.inform(route.name + " Sending Error: " + errorText(e) + "\n\n" + kChangeMethod);
        return false;
    }
    AddToSendLog("SEND OK");
    return true;
}

bool TdmMailSend::ServerSend(const SendByMethodCall& call)
{
    // The relay server's run is started by its own operation; this only records
    // how it should end.
    relayShowsSummary_ = call.showSummary;
    return false;
}

SmtpConnection& TdmMailSend::smtp()
{
    if (!smtp_)
        smtp_ = std::make_unique<SmtpConnection>(smtpAccountFrom(settings_), ui_,
                                                 [this](const QString& line) { AddToSendLog(line); });
    return *smtp_;
}

SmtpResult TdmMailSend::SMTPConnect()
{
    // A new connection reads the settings as they are now.
    smtp_.reset();
    return smtp().connect();
}

void TdmMailSend::SMTPDisconnect()
{
    if (smtp_)
        smtp_->disconnect();
}

QString TdmMailSend::submit(const BuiltMessage& built, bool connectForThisMessage)
{
    if (connectForThisMessage) {
        lastSmtp_ = SMTPConnect();
        if (!lastSmtp_.ok)
            return lastSmtp_.error;
    }
    lastSmtp_ = smtp().send(built.envelopeSender, built.envelopeRecipients, built.bytes);
    if (connectForThisMessage)
        SMTPDisconnect();
    return lastSmtp_.ok ? QString() : lastSmtp_.error;
}

void TdmMailSend::keepCopy(const BuiltMessage& built, bool draft)
{
    // The copy goes to the mail account the check reads: the IMAP account when
    // there is one, else the local folders.
    const MailStores stores = mailStores_();
    MailStore* account = nullptr;
    for (const auto& store : stores.stores())
        if (store->name() != "Contacts")
            account = store.get();
    if (!account)
        throw std::runtime_error("There is no mail account to keep a copy of the message in.");
    const QString folder = draft ? "Drafts" : "Sent";
    std::unique_ptr<MailFolder> target;
    try {
        target = account->open({folder});
    } catch (const MailError&) {
        account->createFolder({}, folder);
        target = account->open({folder});
    }
    target->append(built.bytes, draft ? QStringList{"\\Draft", "\\Seen"} : QStringList{"\\Seen"});
    target->finish();
}
