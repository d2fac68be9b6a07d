#pragma once

#include "mail/MailAddress.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// One recipient block of a message/delivery-status part (RFC 3464).
struct DeliveryStatusRecipient {
    QString finalRecipient;     // the address part of Final-Recipient ("rfc822;" dropped)
    QString originalRecipient;  // the same for Original-Recipient
    QString action;             // lower-cased: failed, delayed, delivered, relayed, expanded
    QString status;             // e.g. "5.1.1"
};

// One node of the MIME tree.
struct MimePart {
    QString contentType;  // lower-case "type/subtype"
    QString fileName;     // empty unless the part names a file
    QList<MimePart> children;
};

struct MailAttachment {
    QString fileName;
    QByteArray data;
};

// A message read from its bytes: what the check run, classification, the harvest
// and the send log look at. Parsing never fails: broken headers and MIME are
// salvaged (warnings lists what was malformed), absent parts stay empty.
struct MailMessage {
    QString subject;                        // decoded
    QDateTime date;                         // invalid when the Date header is absent or bad
    QStringList bodyLines;                  // text/plain, else text/html as text; Unicode
    MailAddressList from, sender, replyTo;  // decoded names
    QString returnPath;                     // envelope sender; empty for "<>" or absent
    MailAddressList to, cc;
    QString messageId;                      // without the angle brackets
    QList<QPair<QString, QString>> headers;  // top-level fields in order, unfolded, names as written
    MimePart structure;
    QList<MailAttachment> attachments;      // parts with a file name
    QStringList warnings;

    // A report (multipart/report; report-type=delivery-status) and its recipients.
    bool isDeliveryReport = false;
    QList<DeliveryStatusRecipient> deliveryStatus;
    // A returned copy of an original message (message/rfc822 or text/rfc822-headers)
    // anywhere in the tree.
    bool hasReturnedMessage = false;
    // The body lines up to where a returned message starts: the server's own text
    // (all of bodyLines when nothing is returned).
    QStringList ownTextLines;

    // The first field of that name (case-insensitive), unfolded; nullopt when absent.
    std::optional<QString> header(const QString& name) const;
};

MailMessage parseMailMessage(const QByteArray& bytes);

// Saves the attachments into folder (created when missing) under their own file
// names made safe (no path steps), a number added when a name repeats; answers the
// full paths in order.
QStringList saveAttachments(const MailMessage& message, const QString& folder);
