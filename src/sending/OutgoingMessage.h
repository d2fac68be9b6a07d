#pragma once

#include <QString>
#include <QStringList>

// One message as a send method receives it, before it becomes bytes. Every text
// may come from a subscriber or a typed field; the builder makes it safe.
struct OutgoingMessage {
    QString fromName;     // `SMTPName`
    QString fromAddress;  // `SMTPEmail`; also the read-receipt address
    // Address lines: a bare address or a display name with the address in angle
    // brackets ("Ann Lee <ann@example.org>").
    QStringList to, cc, bcc;
    QString subject;
    // The plain text; alongside an HTML body it is the plain alternative, which
    // travels only when there are attachments (an HTML message without them is
    // sent as the HTML part alone).
    QString plainBody;
    QString htmlBody;  // empty: a plain-text message
    QStringList attachmentPaths;
    bool readReceipt = false;  // asks for a disposition notification to fromAddress
};
