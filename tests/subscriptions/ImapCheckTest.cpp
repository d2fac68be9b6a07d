#include "ListFixture.h"

#include "mail/MailStoresFromSettings.h"
#include "subscriptions/CheckRun.h"
#include "support/DovecotServer.h"
#include "support/MaildirDrop.h"

namespace {

// The check run against a real IMAP server.
class ImapCheck : public ListFixture {
protected:
    void SetUp() override
    {
        if (!DovecotServer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        ListFixture::SetUp();
        ASSERT_TRUE(server.started());
        const ImapAccount account = server.account();
        settings.IMAPHost = account.host;
        settings.IMAPPort = account.port;
        settings.IMAPSecurity = account.security;
        settings.IMAPVerifyCertificate = account.verifyCertificate;
        settings.ProfileName = account.user;
        settings.ProfilePassword = account.password;
        settings.RetrieveMethod = 0;
        settings.MailingListFolder = account.storeName() + "//INBOX";
    }

    QString check()
    {
        CheckCounts c;
        const bool ran = btngetoutlookClick(*ctx, mailStoresFor(settings, folders), {}, c);
        return QString(ran ? "" : "not run: ") + QString("looked at %1, acted on %2, left %3, failed %4")
                                                      .arg(c.lookedAt).arg(c.actedOn).arg(c.left).arg(c.failed);
    }

    QStringList inbox() const
    {
        QStringList out;
        for (const StoredMessage& m : server.messages({"INBOX"}))
            out << m.subject + (m.flags.isEmpty() ? QString() : " " + m.flags);
        return out;
    }

    DovecotServer server;
};

TEST_F(ImapCheck, RequestsAreActedOnInArrivalOrderAndOnlyHandledMessagesLeave)
{
    server.deliver({"INBOX"}, requestMessage("ann@x.test", "subscribe"));
    server.deliver({"INBOX"}, requestMessage("bob@x.test", "subscribe"));
    server.deliver({"INBOX"}, "\x01\x02 not a message at all \xff\r\n");
    server.deliver({"INBOX"}, requestMessage("ann@x.test", "unsubscribe"));
    server.deliver({"INBOX"}, requestMessage("carl@x.test", "subscribe"), "T");  // already deleted
    server.deliver({"INBOX"}, requestMessage("dora@x.test", "Lunch?"));
    EXPECT_EQ(check(), "looked at 5, acted on 3, left 2, failed 0");
    EXPECT_EQ(itemsAndGroups(), QStringList{"bob@x.test|Default"});
    // The message someone else flagged deleted was not acted on (carl is not on the
    // list); the pass's expunge ends it as that person asked.
    EXPECT_EQ(inbox(), (QStringList{"", "Lunch?"}));

    settings.AfterProcess = "MarkRead";
    server.deliver({"INBOX"}, requestMessage("eve@x.test", "join"));
    EXPECT_EQ(check(), "looked at 3, acted on 1, left 2, failed 0");
    EXPECT_EQ(check(), "looked at 2, acted on 0, left 2, failed 0");
    EXPECT_EQ(inbox().last(), "join S");

    settings.AfterProcess = "Move";
    settings.MoveFolder = server.account().storeName() + "//Done";
    server.createFolder({"Done"});
    server.deliver({"INBOX"}, requestMessage("finn@x.test", "subscribe"));
    // The request handled while reading was the rule is moved now, not acted on again.
    EXPECT_EQ(check(), "looked at 4, acted on 2, left 2, failed 0");
    QStringList done;
    for (const StoredMessage& m : server.messages({"Done"}))
        done << m.subject;
    EXPECT_EQ(done, (QStringList{"join", "subscribe"}));
    EXPECT_EQ(db->entryCount(), 3);
}

TEST_F(ImapCheck, AFailedLoginIsToldAndTheCheckEndsWithoutTouchingAnything)
{
    settings.ProfilePassword = "wrong";
    server.deliver({"INBOX"}, requestMessage("ann@x.test", "subscribe"));
    EXPECT_TRUE(check().startsWith("not run: "));
    EXPECT_TRUE(ui.sawText("An error was encountered logging into your profile: Authentication failed."))
        << ui.texts().join('\n').toStdString();
    EXPECT_EQ(db->entryCount(), 0);
    EXPECT_EQ(inbox(), QStringList{"subscribe"});
}

}  // namespace
