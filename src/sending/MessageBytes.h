#pragma once

#include "sending/ListHeaders.h"
#include "sending/OutgoingMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct MessageBuildOptions {
    QDateTime date;  // the Date header; invalid: now
    // sendmail -t reads the recipients from the headers (and drops Bcc itself), and
    // a kept copy in Sent shows them; a message handed over by SMTP must not show
    // its BCC recipients to everyone else.
    bool keepBccHeader = false;
    // List-Unsubscribe and List-Id for a message to the list; left out when the
    // remove address is no valid address.
    std::optional<ListHeaderSource> listHeaders;
};

struct BuiltMessage {
    // RFC 5322 bytes with CR LF line ends, no line over 998 octets, ending in CR LF.
    // Not dot-stuffed: a line holding only "." is written as it is, and a transport
    // that speaks SMTP DATA itself must stuff it (libcurl does so on upload, sendmail
    // is started with -i, an IMAP APPEND needs nothing).
    QByteArray bytes;
    QString envelopeSender;          // the sender address
    QStringList envelopeRecipients;  // every accepted To, CC and BCC address, once each
    QStringList refusedRecipients;   // address lines left out: not one valid address
    QString error;                   // not empty: nothing could be built
    bool ok() const { return error.isEmpty(); }
};

// The one place where an outgoing message becomes bytes, for every send method.
BuiltMessage buildMessageBytes(const OutgoingMessage& message, const MessageBuildOptions& options = {});
