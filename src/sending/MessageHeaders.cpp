#include "sending/MessageHeaders.h"

#include "sending/HeaderValues.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace {

// Unique without asking the system for randomness per message (GMime's generator
// opens, reads and closes /dev/urandom each time): the time in
// milliseconds and 64 bits of the program's seeded generator, at the sender's domain.
QByteArray messageId(const QString& senderAddress)
{
    QString domain = senderAddress.contains(u'@') ? senderAddress.section(u'@', -1) : QString();
    if (domain.isEmpty())
        domain = QStringLiteral("localhost");
    return QStringLiteral("%1.%2@%3")
        .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36)
        .arg(QRandomGenerator::global()->generate64(), 0, 36)
        .arg(domain)
        .toUtf8();
}

constexpr const char* Charset = "utf-8";

void addMailbox(GMimeMessage* mime, GMimeAddressType type, const MailAddress& mailbox)
{
    GObjectPtr<InternetAddress> address(
        internet_address_mailbox_new(mailbox.name.toUtf8().constData(), mailbox.address.toUtf8().constData()));
    internet_address_set_charset(address.get(), Charset);
    internet_address_list_add(g_mime_message_get_addresses(mime, type), address.get());
}

void addRecipients(GMimeMessage* mime, GMimeAddressType type, const QStringList& lines, BuiltMessage& result)
{
    for (const QString& line : lines) {
        const std::optional<MailAddress> mailbox = headerMailbox(line);
        if (!mailbox) {
            result.refusedRecipients.append(line);
            continue;
        }
        addMailbox(mime, type, *mailbox);
        if (!result.envelopeRecipients.contains(mailbox->address, Qt::CaseInsensitive))
            result.envelopeRecipients.append(mailbox->address);
    }
}

void setDate(GMimeMessage* mime, const QDateTime& date)
{
    const QDateTime when = date.isValid() ? date : QDateTime::currentDateTime();
    GTimeZone* zone = g_time_zone_new_offset(when.offsetFromUtc());
    const QDate day = when.date();
    const QTime time = when.time();
    GDateTime* stamp = g_date_time_new(zone, day.year(), day.month(), day.day(), time.hour(), time.minute(),
                                       time.second());
    g_mime_message_set_date(mime, stamp);
    g_date_time_unref(stamp);
    g_time_zone_unref(zone);
}

// List-Id is a phrase and an identifier in angle brackets, a form GMime has no
// formatter for: the phrase is encoded and folded by GMime, and the identifier,
// which must not be folded, starts a line of its own.
void setListHeaders(GMimeMessage* mime, const ListHeaderSource& list)
{
    const std::optional<MailAddress> remove = headerMailbox(list.removeAddress);
    if (!remove)
        return;
    GMimeObject* object = GMIME_OBJECT(mime);
    g_mime_object_set_header(object, "List-Unsubscribe", listUnsubscribeValue(remove->address).constData(), nullptr);

    const GText phrase(g_mime_utils_header_encode_phrase(
        nullptr, headerText(list.databaseName).trimmed().toUtf8().constData(), Charset));
    const QByteArray field = "List-Id: " + QByteArray(phrase.get());
    const GText folded(g_mime_utils_unstructured_header_fold(nullptr, nullptr, field.constData()));
    const QByteArray encodedName = QByteArray(folded.get() + qstrlen("List-Id:")).trimmed();
    const QByteArray identifier = '<' + listIdentifier(list.databaseName, remove->address) + ">\n";
    const QByteArray value = encodedName.isEmpty() ? identifier : encodedName + "\n " + identifier;
    g_mime_object_set_header(object, "List-Id", "", nullptr);
    GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), "List-Id");
    g_mime_header_set_raw_value(header, (' ' + value).constData());
}

}  // namespace

bool setMessageHeaders(GMimeMessage* mime, const OutgoingMessage& message, const MessageBuildOptions& options,
                       BuiltMessage& result)
{
    const std::optional<MailAddress> sender = headerMailbox(message.fromAddress);
    if (!sender) {
        result.error = QStringLiteral("The sender address is not valid: ") + headerText(message.fromAddress);
        return false;
    }
    result.envelopeSender = sender->address;
    addMailbox(mime, GMIME_ADDRESS_TYPE_FROM, {headerText(message.fromName).trimmed(), sender->address});

    addRecipients(mime, GMIME_ADDRESS_TYPE_TO, message.to, result);
    addRecipients(mime, GMIME_ADDRESS_TYPE_CC, message.cc, result);
    addRecipients(mime, GMIME_ADDRESS_TYPE_BCC, message.bcc, result);
    if (result.envelopeRecipients.isEmpty()) {
        result.error = QStringLiteral("The message has no valid recipient");
        return false;
    }
    // A batch sent to BCC recipients only still says whom it is for, as mail
    // programs do, rather than lacking a To field that filters count against it.
    InternetAddressList* to = g_mime_message_get_addresses(mime, GMIME_ADDRESS_TYPE_TO);
    if (internet_address_list_length(to) == 0) {
        GObjectPtr<InternetAddress> group(internet_address_group_new("undisclosed-recipients"));
        internet_address_list_add(to, group.get());
    }

    g_mime_message_set_subject(mime, headerText(message.subject).toUtf8().constData(), Charset);
    setDate(mime, options.date);
    g_mime_message_set_message_id(mime, messageId(sender->address).constData());
    if (message.readReceipt) {
        g_mime_object_set_header(GMIME_OBJECT(mime), "Disposition-Notification-To",
                                 sender->address.toUtf8().constData(), nullptr);
    }
    if (options.listHeaders)
        setListHeaders(mime, *options.listHeaders);
    return true;
}
