#include "mailings/RecipientCount.h"

#include <algorithm>

qint64 MessagesForRecipients(qint64 number, int recipientsPerMessage)
{
    // A broken setting must not divide by zero; one per message is the safe reading.
    const qint64 per = std::max(recipientsPerMessage, 1);
    return (std::max<qint64>(number, 0) + per - 1) / per;
}

RecipientCountTexts ShowRecipientCount(const RecipientCountInput& input)
{
    const int per = std::max(input.recipientsPerMessage, 1);
    const QString figures = QStringLiteral("%1 Recip. per E-mail,  %2 E-mails")
                                .arg(per)
                                .arg(MessagesForRecipients(input.number, per));
    RecipientCountTexts texts;
    texts.countLine = input.accurate
                          ? QStringLiteral("Details: %1 Unique Recipients,  ").arg(input.number) + figures
                          : QStringLiteral("Estimated: %1 Recipients,  ").arg(input.number) + figures;
    QStringList to;
    if (per == 1)
        to << input.description;
    else
        texts.bcc = input.description;
    if (!input.relayServer) {
        to << input.extraTo;
        texts.cc = input.extraCC.join(QStringLiteral(", "));
    }
    to.removeAll(QString());
    texts.to = to.join(QStringLiteral(", "));
    return texts;
}
