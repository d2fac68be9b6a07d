#include "ListFixture.h"

#include "mail/MailMessage.h"
#include "subscriptions/Classification.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/MessageFields.h"

namespace {

class Classify : public ListFixture {
protected:
    // A message as a pass hands it over: sender preset as the request address.
    CurrentMessage fromSender(const QString& subject, const QStringList& body = {},
                              const QString& recipient = "list@owner.test")
    {
        CurrentMessage m;
        m.edtsubject = subject;
        m.Memo1 = body;
        m.edtsender = m.edtemail = "bob@sender.test";
        m.edtFirstRecipient = "The List <" + recipient + ">";
        m.edtdate = "2026-12-01 10:00:00";
        m.chkScanListChanges = true;
        return m;
    }

    // The kind, the address and the group a message would act on.
    QString outcome(CurrentMessage m)
    {
        const Classification what = classifyMessage(settings, m);
        return kindName(what.kind) + " " + what.addresses.join(',') + " [" + m.edtcategory + "]";
    }

    // A message read from its bytes, as the check run reads it.
    bool processBytes(const QByteArray& bytes)
    {
        parsed = parseMailMessage(bytes);
        takeMessage(current, parsed, settings, nullptr, QDateTime::currentDateTime());
        current.chkScanListChanges = true;
        return processEntry(*ctx, current);
    }

    MailMessage parsed;
    CurrentMessage current;
};

TEST_F(Classify, RequestLinesTakeTheKeyWordFirstThenAnAddressThenAGroup)
{
    settings.Cats << "sales team";
    settings.AddAddress = "join@owner.test";
    settings.RemoveAddress = "leave@owner.test";
    EXPECT_EQ(outcome(fromSender("SUBSCRIBE")), "subscribe bob@sender.test []");
    EXPECT_EQ(outcome(fromSender("subscribe ann@x.test Sales Team")), "subscribe ann@x.test [Sales Team]");
    EXPECT_EQ(outcome(fromSender("SUBSCRIBE Sales Team")), "subscribe bob@sender.test [Sales Team]");
    EXPECT_EQ(outcome(fromSender("Please subscribe me")), "none  []");
    EXPECT_EQ(outcome(fromSender("RE: fwd: Unsubscribe")), "unsubscribe bob@sender.test []");
    EXPECT_EQ(outcome(fromSender("CHANGE old@x.test new@x.test")), "change old@x.test,new@x.test []");
    EXPECT_EQ(outcome(fromSender("CHANGE old@x.test")), "none  []");
    // The key word may stand in the first three body lines, not further down.
    EXPECT_EQ(outcome(fromSender("Hello", {"", "", "join"})), "subscribe bob@sender.test []");
    EXPECT_EQ(outcome(fromSender("Hello", {"", "", "", "join"})), "none  []");
    settings.OnlyScanSubject = true;
    EXPECT_EQ(outcome(fromSender("Hello", {"join"})), "none  []");
    settings.OnlyScanSubject = false;

    // Mail to the list's own join and leave addresses needs no key word: words that
    // are neither addresses nor groups are ignored.
    EXPECT_EQ(outcome(fromSender("hello Sales Team", {}, "join@owner.test")),
              "subscribe bob@sender.test [Sales Team]");
    EXPECT_EQ(outcome(fromSender("CHANGE old@x.test", {}, "JOIN@owner.test")), "subscribe old@x.test []");
    EXPECT_EQ(outcome(fromSender("", {""}, "leave@owner.test")), "unsubscribe bob@sender.test []");
}

TEST_F(Classify, AChangeIsTheWholeRequestWhateverTheMessageBeforeAsked)
{
    CurrentMessage m = fromSender("subscribe ann@x.test");
    ASSERT_TRUE(processEntry(*ctx, m));
    // The same fields carry the next message, whose add flag is still set.
    m.edtsubject = "change ann@x.test anne@x.test";
    m.Memo1.clear();
    ASSERT_TRUE(m.chkdoadd);
    EXPECT_TRUE(processEntry(*ctx, m));
    EXPECT_EQ(itemsAndGroups(), QStringList{"anne@x.test|Default"});
    EXPECT_EQ(db->entryCount(), 1);
}

TEST_F(Classify, WebFormsAddOrRemoveByTheirActionLine)
{
    settings.ProcessWebForms = true;
    CurrentMessage join = fromSender("Web Form Submission", {"Action: Join", "Email: carl@x.test",
                                                             "Full Name: Carl Example", "City: Leeds"});
    EXPECT_TRUE(processEntry(*ctx, join));
    entries().walk([](const Entry& e) {
        EXPECT_EQ(e.City, "Leeds");
        EXPECT_EQ(e.Name, "Carl Example");
        return true;
    });
    CurrentMessage leave =
        fromSender("Web Form Submission", {"Action: Unsubscribe", "Email: carl@x.test"});
    EXPECT_TRUE(processEntry(*ctx, leave));
    EXPECT_EQ(db->entryCount(), 0);
    CurrentMessage empty = fromSender("Web Form Submission", {"Name: nobody"});
    EXPECT_FALSE(processEntry(*ctx, empty));
    EXPECT_TRUE(logMessages().contains("Processing Form Message Error:No E-mail address was found"));
}

// A list owner is subscribed to their own list; a bounce quotes the mailing it
// returns, whose From line is the owner's address.
TEST_F(Classify, ABounceCountsOnlyTheAddressesTheServerNamesNotTheQuotedOriginal)
{
    settings.FailedMail = true;
    settings.SMTPEmail = "owner@list.test";
    addEntry("owner@list.test", "default");
    addEntry("gone@x.test", "default");
    const QByteArray qmail = "From: MAILER-DAEMON@mx.x.test\r\n"
                             "To: owner@list.test\r\n"
                             "Subject: failure notice\r\n"
                             "Date: Tue, 1 Dec 2026 10:00:00 +0000\r\n"
                             "\r\n"
                             "Hi. This is the qmail-send program at mx.x.test.\r\n"
                             "I'm afraid I wasn't able to deliver your message to the following addresses.\r\n"
                             "\r\n"
                             "<gone@x.test>:\r\n"
                             "Sorry, no mailbox here by that name. (#5.1.1)\r\n"
                             "\r\n"
                             "--- Below this line is a copy of the message.\r\n"
                             "\r\n"
                             "From: owner@list.test\r\n"
                             "To: gone@x.test\r\n"
                             "Subject: Our December news\r\n";
    EXPECT_TRUE(processBytes(qmail));
    QStringList bounces;
    entries().walk([&](const Entry& e) {
        bounces << e.Item + "=" + QString::number(e.Bounces);
        return true;
    });
    bounces.sort();
    EXPECT_EQ(bounces, (QStringList{"gone@x.test=1", "owner@list.test=0"}));
}

QByteArray report(const QString& subject, const QString& recipientBlocks, const QString& extraHeaders = {})
{
    return ("From: MAILER-DAEMON@mx.list.test (Mail Delivery System)\r\n"
            "To: owner@list.test\r\n"
            "Subject: " + subject + "\r\n" + extraHeaders +
            "MIME-Version: 1.0\r\n"
            "Content-Type: multipart/report; report-type=delivery-status; boundary=\"B\"\r\n"
            "\r\n"
            "--B\r\n"
            "Content-Type: text/plain\r\n"
            "\r\n"
            "This is the mail system at host mx.list.test. Mail to ann@x.test and carl@x.test.\r\n"
            "\r\n"
            "--B\r\n"
            "Content-Type: message/delivery-status\r\n"
            "\r\n"
            "Reporting-MTA: dns; mx.list.test\r\n"
            "\r\n" + recipientBlocks +
            "--B\r\n"
            "Content-Type: text/rfc822-headers\r\n"
            "\r\n"
            "From: owner@list.test\r\n"
            "Subject: news\r\n"
            "\r\n"
            "--B--\r\n").toUtf8();
}

TEST_F(Classify, ADeliveryReportDecidesByItsRecipientsWhateverItsSubjectSays)
{
    settings.FailedMail = true;
    const QString failedAnn = "Final-Recipient: rfc822; ann@x.test\r\nAction: failed\r\nStatus: 5.1.1\r\n\r\n";
    const QString delayedCarl = "Final-Recipient: rfc822; carl@x.test\r\nAction: delayed\r\nStatus: 4.4.1\r\n\r\n";
    // Only the failed recipient, not every address of the text.
    EXPECT_TRUE(processBytes(report("Undelivered Mail Returned to Sender", failedAnn + delayedCarl,
                                    "Auto-Submitted: auto-replied\r\n")));
    Classification what = classifyMessage(settings, current);
    EXPECT_EQ(kindName(what.kind) + " " + what.addresses.join(','), "bounce ann@x.test");

    // "Delivery Status" is a failure phrase, but every recipient was only delayed.
    EXPECT_FALSE(processBytes(report("Delivery Status Notification (Delay)", delayedCarl)));
    what = classifyMessage(settings, current);
    EXPECT_EQ(kindName(what.kind), "warning");
    settings.DeleteDeliveryWarnings = true;
    EXPECT_TRUE(processBytes(report("Delivery Status Notification (Delay)", delayedCarl)));
    EXPECT_EQ(statistics->counters.bounces, 1);
}

TEST_F(Classify, AnAutomaticReplyIsNeverARequest)
{
    const QByteArray vacation = "From: Bob <bob@sender.test>\r\n"
                                "To: list@owner.test\r\n"
                                "Subject: Re: subscribe\r\n"
                                "Auto-Submitted: auto-replied\r\n"
                                "\r\n"
                                "I am away until Monday.\r\n";
    EXPECT_FALSE(processBytes(vacation));
    EXPECT_EQ(db->entryCount(), 0);
    settings.RemoveOutofOffice = true;
    EXPECT_TRUE(processBytes(vacation));
    EXPECT_EQ(db->entryCount(), 0);
    EXPECT_TRUE(processBytes(QByteArray(vacation).replace("auto-replied", "no")));
    EXPECT_EQ(db->entryCount(), 1);
}

}  // namespace
