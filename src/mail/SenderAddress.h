#pragma once

#include "mail/MailAddress.h"

#include <optional>

struct MailMessage;

// The sender of a message by SenderAddressMethod, read from its headers:
// 5 the From address, else the Sender address; 2 Reply-To, else From; 3 Reply-To
// only; 1 as 2, then as 3; 4 Return-Path, the envelope sender; 0 only an address
// written inside the From display name. An address counts only when it holds "@".
// Methods 1 to 3 take a reply recipient as mail programs do: when its address is
// none, an address inside its display name. The name is the display name of the
// mailbox used (empty for Return-Path, which has none). nullopt when the method's
// header is absent or gives no address: the check run then brings up the
// sender-retrieval dialog.
std::optional<MailAddress> senderByMethod(const MailMessage& message, int method);
