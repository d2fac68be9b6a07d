#pragma once

#include "mail/MailAddress.h"

#include <optional>

struct MailMessage;

// The sender of a message by SenderAddressMethod (5 From, else Sender; 2 Reply-To,
// else From; 3 Reply-To only; 1 as 2, then as 3; 4 Return-Path; 0 an address
// inside the From display name). nullopt when the method's header is absent or
// unparsable: the check run then brings up the sender-retrieval dialog.
std::optional<MailAddress> senderByMethod(const MailMessage& message, int method);
