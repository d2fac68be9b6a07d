#include "subscriptions/BounceAddresses.h"

#include "addresses/AddressExtractor.h"
#include "addresses/NameAndAddress.h"
#include "mail/MailMessage.h"
#include "settings/Settings.h"
#include "subscriptions/CurrentMessage.h"

#include <QSet>

namespace {

bool isMailSystemAddress(const QString& address)
{
    const QString local = address.section('@', 0, 0);
    return local.compare("postmaster", Qt::CaseInsensitive) == 0
           || local.compare("mailer-daemon", Qt::CaseInsensitive) == 0;
}

// A line as quoted, without the quoting marks and blanks before it.
QString unquoted(const QString& line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == '>' || line[i].isSpace()))
        ++i;
    return line.mid(i);
}

bool startsWithField(const QString& line, const QStringList& fields)
{
    for (const QString& field : fields)
        if (line.startsWith(field, Qt::CaseInsensitive))
            return true;
    return false;
}

// The first header field of a returned original that a server quotes without
// announcing it: no server writes these in its own explanation.
bool startsQuotedHeaders(const QString& line)
{
    static const QStringList fields = {"Received:", "Return-Path:", "Message-ID:", "Delivered-To:",
                                       "X-Original-To:", "DKIM-Signature:", "Authentication-Results:",
                                       "MIME-Version:", "References:", "In-Reply-To:"};
    return startsWithField(unquoted(line), fields);
}

// "Your message  To: ...  Cc: ...  did not reach the following recipient(s)": the
// lines that sum up the original name its sender and its other recipients.
bool summarisesOriginal(const QString& line)
{
    static const QStringList fields = {"To:", "Cc:", "Bcc:", "From:", "Reply-To:", "Sender:"};
    return startsWithField(unquoted(line), fields);
}

// The server's own explanation: up to the first line that starts a quoted header
// block, without the lines that sum up the original.
QStringList explanationLines(const QStringList& lines)
{
    QStringList kept;
    for (const QString& line : lines) {
        if (startsQuotedHeaders(line))
            break;
        if (!summarisesOriginal(line))
            kept << line;
    }
    return kept;
}

void addUnique(QStringList& list, QSet<QString>& seen, const QString& address)
{
    const QString key = address.toLower();
    if (address.isEmpty() || seen.contains(key))
        return;
    seen.insert(key);
    list << address;
}

}  // namespace

std::optional<DeliveryReport> readDeliveryReport(const MailMessage& message)
{
    // Some servers send the delivery-status part inside multipart/mixed.
    if (message.deliveryStatus.isEmpty())
        return std::nullopt;
    DeliveryReport report;
    QSet<QString> seen;
    bool anyDelayed = false;
    bool onlyDelayed = true;
    bool failedWithoutAddress = false;
    for (const DeliveryStatusRecipient& recipient : message.deliveryStatus) {
        if (recipient.action == "failed") {
            // An X.400 or other non-Internet recipient names no address to count.
            const QString address = recipient.finalRecipient.contains('@') ? recipient.finalRecipient
                                    : recipient.originalRecipient.contains('@') ? recipient.originalRecipient
                                                                               : QString();
            failedWithoutAddress = failedWithoutAddress || address.isEmpty();
            addUnique(report.failed, seen, address);
        }
        anyDelayed = anyDelayed || recipient.action == "delayed";
        onlyDelayed = onlyDelayed && recipient.action == "delayed";
    }
    report.allDelayed = anyDelayed && onlyDelayed;
    // Then the server's text is all there is to go by.
    if (report.failed.isEmpty() && failedWithoutAddress)
        return std::nullopt;
    return report;
}

bool isReturnFromMailSystem(const CurrentMessage& message)
{
    if (!message.mail || !message.mail->hasReturnedMessage)
        return false;
    if (isMailSystemAddress(message.edtsender))
        return true;
    for (const MailAddress& from : message.mail->from)
        if (isMailSystemAddress(from.address))
            return true;
    return false;
}

bool announcesDelay(const CurrentMessage& message)
{
    static const QStringList subjects = {"(Delay)", "Delayed Mail", "message delayed", "delivery delayed",
                                         "notification: delayed", "Delivery has been delayed",
                                         "Warning: could not send message"};
    static const QStringList texts = {"will continue to be made", "will be retried", "will retry",
                                      "will keep trying", "still being retried", "will try again",
                                      "only a temporary failure", "This is a temporary failure"};
    const QString subject = message.Memo1.value(0);
    for (const QString& phrase : subjects)
        if (subject.contains(phrase, Qt::CaseInsensitive))
            return true;
    const QStringList& text = message.mail ? message.mail->ownTextLines : message.Memo1;
    for (const QString& line : text)
        for (const QString& phrase : texts)
            if (line.contains(phrase, Qt::CaseInsensitive))
                return true;
    return false;
}

QStringList bounceAddressesInText(const Settings& settings, const CurrentMessage& message)
{
    QSet<QString> excluded;
    for (const QString& own : {settings.SMTPEmail, settings.AddAddress, settings.RemoveAddress,
                               message.edtsender})
        if (!own.isEmpty())
            excluded.insert(own.trimmed().toLower());
    // The bounce's own recipients are the list owner's mailboxes.
    if (const MailMessage* mail = message.mail) {
        for (const MailAddressList* list : {&mail->from, &mail->to, &mail->cc})
            for (const MailAddress& address : *list)
                excluded.insert(address.address.toLower());
        for (const char* field : {"Delivered-To", "X-Original-To", "Envelope-To"})
            if (const std::optional<QString> value = mail->header(field))
                excluded.insert(ExtractAddress(value->trimmed()).toLower());
    }

    // Line 0 is the subject, which a server copies from the original message.
    const QStringList text = explanationLines(message.mail ? message.mail->ownTextLines : message.Memo1.mid(1));
    QStringList found;
    extractemailaddresses(text, settings.ExceptList, found);
    QStringList addresses;
    QSet<QString> seen;
    for (const QString& address : found)
        if (!excluded.contains(address.toLower()) && !isMailSystemAddress(address))
            addUnique(addresses, seen, address);
    return addresses;
}
