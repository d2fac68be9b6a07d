#include "subscriptions/Acknowledgements.h"

#include "addresses/AddressSyntax.h"
#include "logs/Logs.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/CheckJournal.h"

#include <QDateTime>

void SendAcknowledgement(const Settings& settings, Logs& logs, TdmMailSend& mailSend, const QString& address,
                         const QString& resultText, bool subscribe)
{
    if (!(subscribe ? settings.SubAcknowledgement : settings.UnsubAcknowledgement))
        return;
    int code = 0;
    if (!validemailaddress(address, false, settings, code))
        return;
    SendByMethodCall call;
    call.to = {address};
    call.subject = subscribe ? settings.AckSubject : settings.UnAckSubject;
    call.body = (subscribe ? settings.SubAck : settings.UnSubAck).join('\n').replace("%RESULT%", resultText);
    call.showErrors = false;
    call.method = settings.AltSendMethod;
    call.connectForThisMessage = true;
    const bool sent = mailSend.SendByMethod(call);
    logs.AddToLog((sent ? "Successful send of Acknowledgement e-mail to " : "Error sending Acknowledgement e-mail to ") +
                  address);
}

void sendQueuedAcknowledgements(const Settings& settings, Logs& logs, TdmMailSend& mailSend, CheckJournal& journal)
{
    for (const CheckJournal::OutboxItem& item : journal.unsent()) {
        const bool subscribe = item.kind == QLatin1String("SubAck");
        if (subscribe || item.kind == QLatin1String("UnsubAck"))
            SendAcknowledgement(settings, logs, mailSend, item.recipient, item.detail, subscribe);
        journal.markSent(item.index, QDateTime::currentDateTime());
    }
}
