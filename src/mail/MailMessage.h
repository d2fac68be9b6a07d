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
    // The first text/plain part that is no attachment, else the first text/html one
    // as text, outside returned copies; decoded, split at CR LF or LF.
    QStringList bodyLines;
    // Decoded names. A mailbox GMime cannot read (`"ann@example.org" <>`,
    // `Ann <ann at example.org>`) is kept as written: name, and address as bracketed.
    MailAddressList from, sender, replyTo;
    QString returnPath;                     // envelope sender; empty for "<>" or absent
    MailAddressList to, cc;
    QString messageId;                      // without the angle brackets
    QList<QPair<QString, QString>> headers;  // top-level fields in order, unfolded, names as written
    MimePart structure;
    QList<MailAttachment> attachments;      // parts with a file name, decoded, anywhere in the tree
    QStringList warnings;

    // A report (a multipart/report; report-type=delivery-status part) and the
    // recipients of its message/delivery-status (or -global-) parts, wherever they
    // stand outside a returned copy (whose reports are about the original).
    bool isDeliveryReport = false;
    QList<DeliveryStatusRecipient> deliveryStatus;
    // A returned copy of an original message: a message/rfc822 (or message/global)
    // or text/rfc822-headers part anywhere in the tree, or, in a body that holds the
    // original inline, a line introducing it (see ReturnedCopyMarker.h).
    bool hasReturnedMessage = false;
    // The server's own text, never the returned original's (whose From and To name
    // the list's own addresses): the plain text parts before a returned part (the
    // HTML one when there is none), or the body lines before an inline copy's line;
    // all of bodyLines when nothing is returned.
    QStringList ownTextLines;

    // The first field of that name (case-insensitive), unfolded; nullopt when absent.
    std::optional<QString> header(const QString& name) const;
};

MailMessage parseMailMessage(const QByteArray& bytes);

// Saves the attachments into folder (created when missing) under their own file
// names made safe (no folder steps, no "..", no control characters; an empty one
// becomes "attachment"), a number added when the name is taken ("report (2).pdf");
// never overwrites a file. Answers the full paths in order; an attachment that
// cannot be written is left out.
QStringList saveAttachments(const MailMessage& message, const QString& folder);
