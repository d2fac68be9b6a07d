#pragma once

#include "sending/GMimeHandles.h"
#include "sending/OutgoingMessage.h"

#include <QString>

// The MIME tree of a message's body:
// - plain text alone: text/plain;
// - HTML alone: text/html (no plain alternative);
// - with attachments: multipart/mixed holding the text (for HTML a
//   multipart/alternative of the plain alternative, then the HTML) and one part
//   per attachment.
// Texts go out in UTF-8 (US-ASCII when they are), quoted-printable or base64 when
// a line is too long for the wire or not ASCII; attachments in base64, their file
// names RFC 2231 encoded. Null, with error set, when an attachment cannot be read.
GObjectPtr<GMimeObject> messageBody(const OutgoingMessage& message, QString& error);
