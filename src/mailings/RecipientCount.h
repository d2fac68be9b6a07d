#pragma once

#include <QString>
#include <QStringList>

// What ShowRecipientCount puts on the send dialog's count line and its To, CC and
// BCC display lines.
struct RecipientCountTexts {
    QString countLine;
    QString to;
    QString cc;
    QString bcc;
};

struct RecipientCountInput {
    qint64 number = 0;             // unique recipients, counted or estimated
    int recipientsPerMessage = 1;  // RecipientsPerMessage
    bool accurate = false;
    QString description;  // RecipientsDescription of the choice
    QStringList extraTo;
    QStringList extraCC;
    bool relayServer = false;  // the relay server sends neither extra list
};

// The e-mails a run makes: the number divided by the recipients per message,
// rounded up. A count per message below 1 counts as 1.
qint64 MessagesForRecipients(qint64 number, int recipientsPerMessage);

RecipientCountTexts ShowRecipientCount(const RecipientCountInput& input);
