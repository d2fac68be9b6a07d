#include "mail/SenderAddress.h"

#include "addresses/AddressExtractor.h"
#include "mail/MailMessage.h"

namespace {

// The first mailbox of a header when its address is one (holds "@").
std::optional<MailAddress> mailboxAddress(const MailAddressList& header)
{
    if (header.isEmpty() || !header.first().address.contains(u'@'))
        return std::nullopt;
    return header.first();
}

// An address written into the display name, as `"ann@example.org" <>` leaves it.
std::optional<MailAddress> addressInName(const MailAddressList& header)
{
    if (header.isEmpty())
        return std::nullopt;
    QStringList found;
    scanTextForAddresses(header.first().name, {}, found);
    if (found.isEmpty())
        return std::nullopt;
    return MailAddress{header.first().name, found.first()};
}

// A reply recipient as mail programs take it: its address, else an address in its name.
std::optional<MailAddress> replyAddress(const MailAddressList& header)
{
    if (auto address = mailboxAddress(header))
        return address;
    return addressInName(header);
}

}  // namespace

std::optional<MailAddress> senderByMethod(const MailMessage& message, int method)
{
    switch (method) {
    case 0:
        return addressInName(message.from);
    // 1 tries 2, then 3; 3's header is one of 2's, so what 2 misses 3 misses too.
    case 1:
    case 2:
        if (auto address = replyAddress(message.replyTo))
            return address;
        return replyAddress(message.from);
    case 3:
        return replyAddress(message.replyTo);
    case 4:
        if (!message.returnPath.contains(u'@'))
            return std::nullopt;
        return MailAddress{QString(), message.returnPath};
    case 5:
        if (auto address = mailboxAddress(message.from))
            return address;
        return mailboxAddress(message.sender);
    }
    return std::nullopt;
}
