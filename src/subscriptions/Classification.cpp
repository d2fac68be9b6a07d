#include "subscriptions/Classification.h"

#include "logs/Logs.h"
#include "mail/MailMessage.h"
#include "settings/Settings.h"
#include "store/StatisticsFigures.h"
#include "subscriptions/AddressChange.h"
#include "subscriptions/BounceAddresses.h"
#include "subscriptions/Bounces.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"
#include "subscriptions/RequestLine.h"
#include "subscriptions/RequestWords.h"
#include "subscriptions/WebForm.h"

#include <optional>

namespace {

using Decision = std::optional<Classification>;  // nullopt: not this rule's message

Classification decided(MessageKind kind, bool actOn, QStringList addresses = {})
{
    return {kind, actOn, std::move(addresses)};
}

QString line0(const CurrentMessage& message) { return message.Memo1.value(0); }

Decision outOfOfficeBySubject(const Settings& settings, CurrentMessage& message)
{
    if (settings.RemoveOutofOffice && line0(message).contains("Out of Office AutoReply", Qt::CaseInsensitive))
        return decided(MessageKind::AutoReply, true);
    return std::nullopt;
}

// Machine-readable reports decide by their recipients' actions, whatever the
// subject says; a report is never a request.
Decision deliveryReport(const Settings& settings, CurrentMessage& message)
{
    if (!message.mail)
        return std::nullopt;
    const std::optional<DeliveryReport> report = readDeliveryReport(*message.mail);
    if (!report)
        return std::nullopt;
    if (!report->failed.isEmpty())
        return decided(MessageKind::Bounce, settings.FailedMail, report->failed);
    if (report->allDelayed)
        return decided(MessageKind::Warning, settings.DeleteDeliveryWarnings);
    return decided(MessageKind::None, false);
}

Decision deliveryWarningBySubject(const Settings& settings, CurrentMessage& message)
{
    const QString subject = line0(message);
    if (settings.DeleteDeliveryWarnings
        && (subject.contains("Delivery has been delayed", Qt::CaseInsensitive)
            || subject.contains("Warning: could not send message", Qt::CaseInsensitive)))
        return decided(MessageKind::Warning, true);
    return std::nullopt;
}

Decision webForm(const Settings& settings, CurrentMessage& message)
{
    if (!settings.ProcessWebForms || settings.WebFormSubject.isEmpty()
        || !line0(message).contains(settings.WebFormSubject, Qt::CaseInsensitive))
        return std::nullopt;
    const WebFormValues form = readWebForm(settings, message.Memo1);
    return decided(MessageKind::WebForm, !form.email.isEmpty(),
                   form.email.isEmpty() ? QStringList{} : QStringList{form.email});
}

bool subjectNamesFailure(const Settings& settings, const CurrentMessage& message)
{
    const QString subject = line0(message);
    for (const QString& phrase : settings.Failed)
        if (!phrase.isEmpty() && subject.contains(phrase, Qt::CaseInsensitive))
            return true;
    return false;
}

Decision bounceBySubjectOrSender(const Settings& settings, CurrentMessage& message)
{
    if (!settings.FailedMail || settings.Failed.isEmpty())
        return std::nullopt;
    if (message.edtsender != "Remote Mail Delivery System" && !subjectNamesFailure(settings, message)
        && !isReturnFromMailSystem(message))
        return std::nullopt;
    // A server that is still trying has not failed: counting it would remove members
    // over a slow mail server.
    if (announcesDelay(message))
        return decided(MessageKind::Warning, settings.DeleteDeliveryWarnings);
    return decided(MessageKind::Bounce, true, bounceAddressesInText(settings, message));
}

Decision automaticReplyByHeader(const Settings& settings, CurrentMessage& message)
{
    if (!message.mail)
        return std::nullopt;
    const std::optional<QString> submitted = message.mail->header("Auto-Submitted");
    const bool automatic = (submitted && submitted->trimmed().compare("no", Qt::CaseInsensitive) != 0)
                           || message.mail->header("X-Autoreply") || message.mail->header("X-Autorespond");
    if (!automatic)
        return std::nullopt;
    return decided(MessageKind::AutoReply, settings.RemoveOutofOffice);
}

Decision requestLines(const Settings& settings, CurrentMessage& message)
{
    const qsizetype lines = settings.OnlyScanSubject ? qMin<qsizetype>(1, message.Memo1.size())
                                                     : qMin<qsizetype>(4, message.Memo1.size());
    for (qsizetype i = 0; i < lines; ++i) {
        const std::optional<RequestLine> request = ParseRequestLine(settings, message, message.Memo1[i]);
        if (!request)
            continue;
        if (request->kind == RequestLine::Kind::Change)
            return decided(MessageKind::Change, true, {message.edtemail, request->newAddress});
        const MessageKind kind =
            request->kind == RequestLine::Kind::Subscribe ? MessageKind::Subscribe : MessageKind::Unsubscribe;
        if (message.edtemail.isEmpty())
            return decided(kind, false);
        return decided(kind, true, {message.edtemail});
    }
    return decided(MessageKind::None, false);
}

using Rule = Decision (*)(const Settings&, CurrentMessage&);

// The order matters: reports before subject phrases (a delay report's subject
// may name a failure), bounces and web forms before the automatic-reply header
// (servers mark their own bounces auto-replied, form mailers auto-generated), and
// the request rules last, so no report or reply is ever taken as a request.
constexpr Rule kRules[] = {
    outOfOfficeBySubject,
    deliveryReport,
    deliveryWarningBySubject,
    webForm,
    bounceBySubjectOrSender,
    automaticReplyByHeader,
    requestLines,
};

void countBounce(const ListContext& ctx, const CurrentMessage& message, const QStringList& addresses)
{
    ctx.logs.debug("ProcessEntry", "Process Bounce");
    for (const QString& address : addresses)
        processbounce(ctx, address, message.edtdate);
    ctx.statistics.AddStatRecord(StatBounce, message.edtdate, {});
}

void enterRequest(const ListContext& ctx, const CurrentMessage& message)
{
    ctx.logs.debug("ProcessEntry", message.chkdoadd ? "AddRecord" : "RemoveRecord");
    insertentry(ctx, message.chkdoadd, message.edtemail, true, true, false, message.edtdate,
                "Change enacted by e-mail sent by " + message.edtsender, {}, message.edtname,
                message.edtcategory);
}

}  // namespace

QString kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Subscribe: return "subscribe";
    case MessageKind::Unsubscribe: return "unsubscribe";
    case MessageKind::Change: return "change";
    case MessageKind::WebForm: return "webform";
    case MessageKind::Bounce: return "bounce";
    case MessageKind::Warning: return "warning";
    case MessageKind::AutoReply: return "autoreply";
    case MessageKind::None: break;
    }
    return "none";
}

Classification classifyMessage(const Settings& settings, CurrentMessage& message)
{
    if (!message.edtsubject.isEmpty())
        message.Memo1.insert(0, StripReplyPrefixes(message.edtsubject));
    for (const Rule& rule : kRules)
        if (Decision decision = rule(settings, message))
            return *decision;
    return {};
}

bool processEntry(const ListContext& ctx, CurrentMessage& message)
{
    const Classification what = classifyMessage(ctx.settings, message);
    // A web form is always read, so a form without an address is logged.
    if (!what.actOn && what.kind != MessageKind::WebForm)
        return false;
    switch (what.kind) {
    case MessageKind::Bounce:
        countBounce(ctx, message, what.addresses);
        return true;
    case MessageKind::WebForm:
        return ProcessForm(ctx, message);
    case MessageKind::Change:
        // The change is the whole request: the add flag may still be an earlier message's.
        ChangeEmailAddress(ctx, what.addresses[0], what.addresses[1], false, true);
        return true;
    case MessageKind::Subscribe:
    case MessageKind::Unsubscribe:
        enterRequest(ctx, message);
        return true;
    case MessageKind::Warning:
    case MessageKind::AutoReply:
    case MessageKind::None:
        break;
    }
    return what.actOn;
}

bool IsUserEmail(const Settings& settings, const CurrentMessage& message)
{
    if (settings.ForwardAll && settings.RetrieveMethod == 0)
        return true;
    return message.edtsubject.contains('[') && message.edtsubject.indexOf(']', 1) > 0;
}
