#pragma once

#include "mail/MailMessage.h"

#include <QList>
#include <QString>

// The recipients of the text of a message/delivery-status part: header blocks
// separated by blank lines, the first about the message, each later one about a
// recipient. Servers are not strict about it, so line ends may be CR LF, fields
// may be folded, blank lines may be missing at the end, and a Final-Recipient (or
// an Original-Recipient) that follows a complete recipient starts the next one even
// without a blank line between them. Blocks naming no recipient are skipped.
QList<DeliveryStatusRecipient> parseDeliveryStatusText(const QString& text);
