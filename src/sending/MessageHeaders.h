#pragma once

#include "sending/GMimeHandles.h"
#include "sending/MessageBytes.h"

// Writes the message's own header fields: From, To, Cc, Bcc, Subject, Date,
// Message-Id, the read-receipt request and the list headers. Fills the envelope
// and the refused lines of result; false, with result.error set, when the sender
// address or every recipient is unusable.
bool setMessageHeaders(GMimeMessage* mime, const OutgoingMessage& message, const MessageBuildOptions& options,
                       BuiltMessage& result);
