#include "subscriptions/MessageFields.h"

#include "addresses/NameAndAddress.h"
#include "mail/MailMessage.h"
#include "settings/Settings.h"
#include "subscriptions/CurrentMessage.h"

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

void presetRequestFields(CurrentMessage& message, const Settings& settings)
{
    if (settings.allowfromaddressasentry) {
        message.edtemail = message.edtsender;
        message.edtname = message.edtsendername;
    } else {
        message.edtemail.clear();
        message.edtname.clear();
    }
}
