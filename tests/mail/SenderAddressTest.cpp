#include "mail/MailMessage.h"
#include "mail/SenderAddress.h"

#include <gtest/gtest.h>

namespace {

const QByteArray allHeaders = "From: \"Ann Smith\" <ann@example.org>\n"
                              "Sender: Secretary <sec@example.org>\n"
                              "Reply-To: Replies <replies@example.org>\n"
                              "Return-Path: <bounces@example.org>\n\nbody\n";
// Only an address in the name, as some web forms send.
const QByteArray nameOnly = "From: \"joe@example.com\" <>\n\nbody\n";
// A From address that is none; Sender and the envelope still tell.
const QByteArray brokenFrom = "From: Joe Bloggs <joe at example.com>\n"
                              "Sender: <assistant@example.com>\n"
                              "Return-Path: <>\n\nbody\n";
const QByteArray fromOnly = "From: Ann <ann@example.org>\n\nbody\n";
const QByteArray noSenderHeaders = "Subject: hello\n\nbody\n";

std::optional<MailAddress> address(const QString& name, const QString& address)
{
    return MailAddress{name, address};
}

}  // namespace

TEST(SenderAddress, EachMethodReadsItsOwnHeaderAndFailsWhenItGivesNoAddress)
{
    const std::optional<MailAddress> none;
    const struct {
        const QByteArray& message;
        int method;
        std::optional<MailAddress> expected;
    } cases[] = {
        {allHeaders, 5, address("Ann Smith", "ann@example.org")},
        {allHeaders, 2, address("Replies", "replies@example.org")},
        {allHeaders, 1, address("Replies", "replies@example.org")},
        {allHeaders, 3, address("Replies", "replies@example.org")},
        {allHeaders, 4, address("", "bounces@example.org")},
        {allHeaders, 0, none},
        {nameOnly, 0, address("joe@example.com", "joe@example.com")},
        {nameOnly, 5, none},
        {nameOnly, 2, address("joe@example.com", "joe@example.com")},
        {nameOnly, 3, none},
        {nameOnly, 4, none},
        {brokenFrom, 5, address("", "assistant@example.com")},
        {brokenFrom, 2, none},
        {brokenFrom, 1, none},
        {brokenFrom, 0, none},
        {brokenFrom, 4, none},
        {fromOnly, 2, address("Ann", "ann@example.org")},
        {fromOnly, 1, address("Ann", "ann@example.org")},
        {fromOnly, 3, none},
        {noSenderHeaders, 5, none},
        {noSenderHeaders, 2, none},
        {noSenderHeaders, 0, none},
        {allHeaders, 6, none},
    };
    for (const auto& c : cases) {
        const std::optional<MailAddress> found = senderByMethod(parseMailMessage(c.message), c.method);
        EXPECT_EQ(found, c.expected) << "method " << c.method << " on " << c.message.left(40).toStdString()
                                     << " gave " << (found ? found->address.toStdString() : "nothing");
    }
}
