#include "subscriptions/MessageFields.h"

#include "addresses/NameAndAddress.h"
#include "mail/MailMessage.h"
#include "settings/Settings.h"
#include "subscriptions/SenderRetrieval.h"
#include "subscriptions/CurrentMessage.h"

namespace {

QString messageDateText(const QDateTime& when) { return when.toString("yyyy-MM-dd hh:mm:ss"); }

void fillCurrentMessage(CurrentMessage& message, const MailMessage& mail, const QDateTime& now)
{
    message.mail = &mail;
    message.edtsubject = mail.subject;
    message.edtdate = messageDateText(mail.date.isValid() ? mail.date.toLocalTime() : now);
    message.Memo1 = mail.bodyLines;
    message.edtsender.clear();
    message.edtsendername.clear();
    message.lbxAttach.clear();
    const MailAddressList& recipients = mail.to.isEmpty() ? mail.cc : mail.to;
    message.edtFirstRecipient =
        recipients.isEmpty() ? QString() : FormatNameAndAddress(recipients[0].name, recipients[0].address);
}

}  // namespace

void takeMessage(CurrentMessage& message, const MailMessage& mail, const Settings& settings,
                 SenderRetrieval* senders, const QDateTime& now)
{
    fillCurrentMessage(message, mail, now);
    if (senders) {
        const SenderRetrieval::Sender sender = senders->retrieve(mail);
        message.edtsender = sender.address;
        message.edtsendername = sender.name;
    } else {
        message.edtsender = mail.from.value(0).address;
        message.edtsendername = mail.from.value(0).name;
    }
    if (settings.allowfromaddressasentry) {
        message.edtemail = message.edtsender;
        message.edtname = message.edtsendername;
    } else {
        message.edtemail.clear();
        message.edtname.clear();
    }
}
