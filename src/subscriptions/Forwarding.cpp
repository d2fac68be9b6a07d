#include "subscriptions/Forwarding.h"

#include "addresses/AddressSyntax.h"
#include "addresses/NameAndAddress.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "mail/MailMessage.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/EntriesTable.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/ListContext.h"
#include "subscriptions/RecipientCache.h"
#include "subscriptions/RecipientGroup.h"

namespace {

constexpr int kRelayServer = 4;

bool onePerMessage(const Settings& settings)
{
    return settings.MessageRecipientCount == 1 && settings.AltSendMethod != kRelayServer;
}

QString forwardedBody(const Settings& settings, const CurrentMessage& message)
{
    const QStringList lines = message.mail ? message.mail->bodyLines : message.Memo1;
    QString body = "*** Forwarded Message ****\nSender: " + FormatNameAndAddress(message.edtsendername, message.edtsender) +
                   "\nDate: " + message.edtdate + "\n\n" + lines.join('\n');
    if (settings.SigOnForward)
        body += "\n" + settings.FwdSignature.join('\n');
    return body;
}

}  // namespace

bool UserCanSend(const Settings& settings, const EntriesTable& entries, const QString& sender, const QString& group)
{
    const std::optional<Entry> entry = settings.MustBelongToGroup && !group.isEmpty() ? entries.locate(sender, group)
                                                                                       : entries.locate(sender);
    return entry && entry->SendRights;
}

int Doforwardmailmessage(const ListContext& ctx, TdmMailSend& mailSend, const RecipientCache& cache,
                         CurrentMessage& message, int start)
{
    const Settings& settings = ctx.settings;
    SendByMethodCall call;
    int next = start;
    const QStringList& addresses = cache.lbcache();
    // The one recipient every copy carries on its To line: a setting that is no
    // address would fail every forward, so the person may switch forwarding off.
    int code = 0;
    if (!settings.DefaultToAddress.isEmpty()) {
        if (!validemailaddress(ExtractAddress(settings.DefaultToAddress), false, settings, code)) {
            if (ctx.ui.askYesNo("An error was encountered initiating Mail Forwarding:\n\nThe default To address, " +
                                    settings.DefaultToAddress + ", is not a valid e-mail address.\n\n" +
                                    "Do you want to disable the forwarding of user messages?",
                                Ui::Icon::Warning)) {
                ctx.settings.UserSending = false;
                message.chkScanUserEmails = false;
            }
            return -1;
        }
        call.to << settings.DefaultToAddress;
    }
    if (onePerMessage(settings)) {
        call.to << addresses.value(start);
    } else {
        const int limit = settings.AltSendMethod == kRelayServer ? int(addresses.size())
                                                                 : std::max(1, settings.MessageRecipientCount);
        for (; next < addresses.size() && next - start < limit; ++next)
            call.bcc << addresses[next];
    }
    call.subject = message.edtsubject;
    call.body = forwardedBody(settings, message);
    call.bodyIsHtml = call.body.contains("<HTML") || call.body.contains("<html");
    call.attachments = message.lbxAttach;
    call.showErrors = false;
    call.method = settings.AltSendMethod;
    call.connectForThisMessage = true;
    return mailSend.SendByMethod(call) ? next : -1;
}

bool forwardmailmessage(const ListContext& ctx, TdmMailSend& mailSend, RecipientCache& cache,
                        CurrentMessage& message)
{
    const QString& sender = message.edtsender;
    const QString about = "Message of subject, " + message.edtsubject + ", from " + sender;
    const std::optional<QString> group = GetRecipientGroup(ctx.settings, ctx.entries(), sender,
                                                           ExtractAddress(message.edtFirstRecipient), message.edtsubject);
    if (!group) {
        ctx.logs.AddToLog(about + " was not forwarded because the group was not valid!");
        return false;
    }
    if (ctx.settings.CheckUser && (sender.isEmpty() || !UserCanSend(ctx.settings, ctx.entries(), sender, *group))) {
        ctx.logs.AddToLog(about + " was not forwarded because the user does not have sending rights!");
        return false;
    }
    cache.LoadCacheEntries(ctx.entries(), *group);
    const int count = int(cache.lbcache().size());
    if (count == 0)
        return false;
    bool forwarded = false;
    if (onePerMessage(ctx.settings)) {
        for (int i = 0; i < count; ++i) {
            forwarded = Doforwardmailmessage(ctx, mailSend, cache, message, i) != -1;
            if (!forwarded)
                break;
        }
    } else {
        int next = 0;
        do
            next = Doforwardmailmessage(ctx, mailSend, cache, message, next);
        while (next != -1 && next < count);
        forwarded = next != -1;
    }
    const QString target = group->isEmpty() ? "the entire mailing list" : "the mailing list category, " + *group;
    const QString text = "mail from " + sender + " with the subject, '" + message.edtsubject + "' to " + target;
    ctx.logs.AddToLog((forwarded ? "Successfully forwarded " : "ERROR encountered forwarding ") + text);
    return forwarded;
}
