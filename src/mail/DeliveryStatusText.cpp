#include "mail/DeliveryStatusText.h"

#include <QRegularExpression>

namespace {

// "rfc822; <ann@example.org>" names the address type first; the type is no part
// of the address, and some servers keep the angle brackets of the envelope.
QString recipientAddress(const QString& value)
{
    const qsizetype semicolon = value.indexOf(u';');
    QString address = semicolon >= 0 ? value.mid(semicolon + 1) : value;
    address.remove(u'<').remove(u'>');
    return address.trimmed();
}

// "failed (bad destination)" and "5.1.1 (unknown user)" carry comments after the value.
QString firstWord(const QString& value)
{
    return value.section(QRegularExpression(QStringLiteral("\\s")), 0, 0, QString::SectionSkipEmpty);
}

class RecipientCollector {
public:
    void field(const QString& line)
    {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            return;
        const QString name = line.left(colon).trimmed().toLower();
        const QString value = line.mid(colon + 1).trimmed();
        if (name == u"original-recipient" || name == u"final-recipient") {
            QString& address = name == u"final-recipient" ? current_.finalRecipient : current_.originalRecipient;
            if (!address.isEmpty() || isComplete())
                endBlock();
            address = recipientAddress(value);
        } else if (name == u"action") {
            current_.action = firstWord(value).toLower();
        } else if (name == u"status") {
            current_.status = firstWord(value);
        }
    }

    void endBlock()
    {
        if (!current_.finalRecipient.isEmpty() || !current_.originalRecipient.isEmpty())
            recipients_.append(current_);
        current_ = {};
    }

    QList<DeliveryStatusRecipient> recipients() const { return recipients_; }

private:
    // A recipient with its action or status told is done: a further address is the next one.
    bool isComplete() const
    {
        return (!current_.finalRecipient.isEmpty() || !current_.originalRecipient.isEmpty()) &&
               (!current_.action.isEmpty() || !current_.status.isEmpty());
    }

    DeliveryStatusRecipient current_;
    QList<DeliveryStatusRecipient> recipients_;
};

}  // namespace

QList<DeliveryStatusRecipient> parseDeliveryStatusText(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    RecipientCollector collector;
    QString field;
    for (const QString& line : text.split(lineEnd)) {
        const bool continued = !line.isEmpty() && (line[0] == u' ' || line[0] == u'\t');
        if (continued && !line.trimmed().isEmpty()) {
            field += u' ' + line.trimmed();
            continue;
        }
        collector.field(field);
        field = line;
        if (line.trimmed().isEmpty())
            collector.endBlock();
    }
    collector.field(field);
    collector.endBlock();
    return collector.recipients();
}
