#include "subscriptions/BounceAddresses.h"

#include "addresses/AddressExtractor.h"
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
    if (!message.isDeliveryReport || message.deliveryStatus.isEmpty())
        return std::nullopt;
    DeliveryReport report;
    QSet<QString> seen;
    bool anyDelayed = false;
    bool onlyDelayed = true;
    for (const DeliveryStatusRecipient& recipient : message.deliveryStatus) {
        if (recipient.action == "failed") {
            const QString address =
                recipient.finalRecipient.isEmpty() ? recipient.originalRecipient : recipient.finalRecipient;
            addUnique(report.failed, seen, address);
        }
        anyDelayed = anyDelayed || recipient.action == "delayed";
        onlyDelayed = onlyDelayed && recipient.action == "delayed";
    }
    report.allDelayed = anyDelayed && onlyDelayed;
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

QStringList bounceAddressesInText(const Settings& settings, const CurrentMessage& message)
{
    QSet<QString> excluded;
    for (const QString& own : {settings.SMTPEmail, settings.AddAddress, settings.RemoveAddress,
                               message.edtsender})
        if (!own.isEmpty())
            excluded.insert(own.trimmed().toLower());
    if (message.mail)
        for (const MailAddress& from : message.mail->from)
            excluded.insert(from.address.toLower());

    // Line 0 is the subject, which a server copies from the original message.
    const QStringList text = message.mail ? message.mail->ownTextLines : message.Memo1.mid(1);
    QStringList found;
    extractemailaddresses(text, settings.ExceptList, found);
    QStringList addresses;
    QSet<QString> seen;
    for (const QString& address : found)
        if (!excluded.contains(address.toLower()) && !isMailSystemAddress(address))
            addUnique(addresses, seen, address);
    return addresses;
}
