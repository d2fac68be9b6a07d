#include "ListFixture.h"

#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "sending/TdmMailSend.h"
#include "store/CheckJournal.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/RecipientCache.h"
#include "support/MaildirDrop.h"
#include "support/SmtpSink.h"

namespace {

// A check over a real Maildir whose acknowledgements and forwards leave by SMTP
// for a real server on loopback.
class SendingCheck : public ListFixture {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
        ListFixture::SetUp();
        ASSERT_TRUE(sink.started());
        settings.RetrieveMethod = 0;
        settings.MailingListFolder = "Local Folders//Inbox";
        settings.AltSendMethod = 3;
        settings.SMTPHost = "127.0.0.1";
        settings.SMTPPort = sink.account().port;
        settings.SMTPEmail = "owner@list.test";
        settings.SMTPName = "List Owner";
        mailSend = std::make_unique<TdmMailSend>(settings, *logs, ui, [this] { return folder; },
                                                 [this] { return stores(); });
    }

    MailStores stores()
    {
        std::vector<std::unique_ptr<MailStore>> list;
        list.push_back(openMaildirStore("Local Folders", mailRoot));
        return MailStores(std::move(list), "Local Folders//Inbox");
    }

    void check()
    {
        CheckRunHooks hooks;
        hooks.CreatedmMailSend = [this] { return mailSend.get(); };
        hooks.cache = &cache;
        CheckCounts counts;
        btngetoutlookClick(*ctx, stores(), hooks, counts);
    }

    SmtpSink sink;
    std::unique_ptr<TdmMailSend> mailSend;
    RecipientCache cache;
    QString mailRoot = dir.path() + "/Mail";
    MaildirDrop inbox{mailRoot + "/Inbox"};
};

}  // namespace

TEST_F(SendingCheck, EachHandledRequestIsAcknowledgedOnceWithItsOutcome)
{
    settings.SubAcknowledgement = true;
    settings.UnsubAcknowledgement = true;
    addEntry("bob@x.test", "default");
    inbox.deliver(requestMessage("ann@x.test", "subscribe"));
    inbox.deliver(requestMessage("bob@x.test", "unsubscribe"));
    check();
    const QList<SinkMessage> sent = sink.messages();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0].recipients, QStringList{"ann@x.test"});
    EXPECT_EQ(sent[0].sender, "owner@list.test");
    EXPECT_TRUE(sent[0].bytes.contains("Subject: Mailing List Subscription")) << sent[0].bytes.toStdString();
    EXPECT_TRUE(sent[0].bytes.contains("Your subscription request has been processed:"));
    EXPECT_FALSE(sent[0].bytes.contains("%RESULT%"));
    EXPECT_EQ(sent[1].recipients, QStringList{"bob@x.test"});
    EXPECT_TRUE(sent[1].bytes.contains("Subject: Removal from Mailing List"));
    EXPECT_TRUE(logMessages().contains("Successful send of Acknowledgement e-mail to ann@x.test"));
    // Sent ones are done with: the next check sends nothing again.
    EXPECT_TRUE(CheckJournal(db->database()).unsent().isEmpty());
    check();
    EXPECT_EQ(sink.messages().size(), 2);
}

TEST_F(SendingCheck, AMemberMessageToAGroupOf600GoesOutIn250s)
{
    settings.UserSending = true;
    settings.UserSendingFolder = settings.MailingListFolder;
    settings.DefaultToAddress = "members@list.test";
    {
        Transaction batch(db->database().connection());
        for (int i = 0; i < 600; ++i)
            addEntry(QString("m%1@x.test").arg(i, 3, 10, QChar('0')), "news");
        addEntry("other@x.test", "default");
        batch.commit();
    }
    inbox.deliver(requestMessage("m001@x.test", "[news] Our next meeting", "See you on Friday."));
    check();
    const QList<SinkMessage> sent = sink.messages();
    ASSERT_EQ(sent.size(), 3);
    QStringList everyone;
    for (const SinkMessage& m : sent) {
        EXPECT_TRUE(m.bytes.contains("To: members@list.test")) << m.bytes.left(400).toStdString();
        EXPECT_FALSE(m.bytes.contains("Bcc:"));  // hidden copies stay hidden
        EXPECT_TRUE(m.bytes.contains("Subject: [news] Our next meeting"));
        EXPECT_TRUE(m.bytes.contains("*** Forwarded Message ****"));
        EXPECT_TRUE(m.bytes.contains("See you on Friday."));
        everyone << m.recipients;
    }
    EXPECT_EQ(sent[0].recipients.size(), 251);  // 250 hidden copies and the To address
    EXPECT_EQ(sent[2].recipients.size(), 101);
    everyone.removeAll("members@list.test");
    everyone.removeDuplicates();
    EXPECT_EQ(everyone.size(), 600);
    EXPECT_FALSE(everyone.contains("other@x.test"));
    EXPECT_TRUE(inbox.files().isEmpty());
}

TEST_F(SendingCheck, ASenderWithoutSendingRightsIsNotForwardedAndTheMessageStays)
{
    settings.UserSending = true;
    settings.UserSendingFolder = settings.MailingListFolder;
    settings.CheckUser = true;
    addEntry("m1@x.test", "news");
    Entry barred = *entries().locate("m1@x.test");
    barred.SendRights = false;
    entries().post(barred);
    addEntry("m2@x.test", "news");
    inbox.deliver(requestMessage("m1@x.test", "[news] hello"));
    check();
    EXPECT_TRUE(sink.messages().isEmpty());
    EXPECT_EQ(inbox.files().size(), 1);
    EXPECT_TRUE(logMessages().contains(
        "Message of subject, [news] hello, from m1@x.test was not forwarded because the user does not have sending "
        "rights!"));
}
