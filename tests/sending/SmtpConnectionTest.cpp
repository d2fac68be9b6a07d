#include "sending/SmtpConnection.h"
#include "sending/SmtpInternetCheck.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"

#include <gtest/gtest.h>

namespace {

QByteArray messageWith(const QByteArray& subject, const QByteArray& body = "Hello.\r\n")
{
    return "From: List <list@x.test>\r\nTo: member@x.test\r\nSubject: " + subject + "\r\n\r\n" + body;
}

class SmtpConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }

    SmtpConnection connection(const SmtpAccount& account)
    {
        return SmtpConnection(account, ui, [this](const QString& line) { log << line; });
    }

    ScriptedUi ui;
    QStringList log;
};

TEST_F(SmtpConnectionTest, SendsARunOfMessagesOverOneSession)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.started());
    auto smtp = connection(sink.account());
    ASSERT_TRUE(smtp.connect().ok);
    // A line of its own "." would end the message early unless it is stuffed.
    const QByteArray dotted = messageWith("Dots", "First line\r\n.\r\n..two\r\nLast line\r\n");
    for (const QByteArray& message : {messageWith("One"), dotted, messageWith("Three")}) {
        const SmtpResult sent = smtp.send("list@x.test", {"member@x.test"}, message);
        EXPECT_TRUE(sent.ok) << sent.error.toStdString();
        EXPECT_EQ(sent.code, 250);
        EXPECT_TRUE(sent.reply.startsWith("250 2.0.0 Ok: queued as")) << sent.reply.toStdString();
    }
    smtp.disconnect();

    const QList<SinkMessage> taken = sink.messages();
    ASSERT_EQ(taken.size(), 3);
    EXPECT_EQ(taken[1].bytes, dotted);
    EXPECT_EQ(taken[0].sender, "list@x.test");
    EXPECT_EQ(taken[0].recipients, QStringList{"member@x.test"});
    EXPECT_EQ(taken[0].session, taken[2].session);
    EXPECT_EQ(log, (QStringList{"Connecting to SMTP Server: 127.0.0.1", "Disconnecting from SMTP Server"}));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Connecting to your SMTP Server..."});
}

TEST_F(SmtpConnectionTest, RefusedRecipientsDoNotStopTheMessageToTheOthers)
{
    SmtpSinkOptions options;
    options.refused = {"gone@x.test"};
    options.deferred = "busy@x.test";
    SmtpSink sink(options);
    ASSERT_TRUE(sink.started());
    auto smtp = connection(sink.account());

    const SmtpResult mixed = smtp.send(
        "list@x.test", {"a@x.test", "gone@x.test", "b@x.test\r\nRCPT TO:<c@x.test>", "busy@x.test", "d@x.test"},
        messageWith("Mixed"));
    EXPECT_TRUE(mixed.ok) << mixed.error.toStdString();
    ASSERT_EQ(mixed.refused.size(), 3);
    EXPECT_EQ(mixed.refused[0].address, "b@x.test\r\nRCPT TO:<c@x.test>");
    EXPECT_EQ(mixed.refused[0].code, 0);
    EXPECT_EQ(mixed.refused[1].address, "gone@x.test");
    EXPECT_EQ(mixed.refused[1].reply, "550 5.1.1 <gone@x.test>: Recipient address rejected: User unknown");
    EXPECT_EQ(mixed.refused[2].address, "busy@x.test");
    EXPECT_EQ(mixed.refused[2].code, 450);

    // Nobody left: the message fails with the server's own words, and the next one
    // goes over a new session.
    const SmtpResult none = smtp.send("list@x.test", {"gone@x.test"}, messageWith("Nobody"));
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.error, "550 5.1.1 <gone@x.test>: Recipient address rejected: User unknown");
    EXPECT_TRUE(smtp.send("list@x.test", {"a@x.test"}, messageWith("After")).ok);

    const QList<SinkMessage> taken = sink.messages();
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0].recipients, (QStringList{"a@x.test", "d@x.test"}));
    EXPECT_NE(taken[0].session, taken[1].session);
}

TEST_F(SmtpConnectionTest, LogsInWithAuthLogin)
{
    SmtpSinkOptions options;
    options.user = "owner";
    options.password = "s3cret word";
    SmtpSink sink(options);
    ASSERT_TRUE(sink.started());

    auto smtp = connection(sink.account());
    ASSERT_TRUE(smtp.connect().ok);
    EXPECT_TRUE(smtp.send("list@x.test", {"a@x.test"}, messageWith("Logged in")).ok);
    EXPECT_EQ(sink.messages().size(), 1);

    SmtpAccount wrong = sink.account();
    wrong.password = "guess";
    auto refused = connection(wrong);
    const SmtpResult result = refused.connect();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.code, 535);
    EXPECT_EQ(result.error, "535 5.7.8 Authentication credentials invalid");
    EXPECT_TRUE(log.contains("SMTP Connection Error: 535 5.7.8 Authentication credentials invalid"));
}

TEST_F(SmtpConnectionTest, SecurityModesReachTheServerAsChosen)
{
    SmtpSinkOptions options;
    options.tls = SmtpSinkOptions::Tls::StartTls;
    SmtpSink sink(options);
    ASSERT_TRUE(sink.started());
    for (const SmtpSecurity security : {SmtpSecurity::Auto, SmtpSecurity::StartTls, SmtpSecurity::None}) {
        auto smtp = connection(sink.account(security, false));
        EXPECT_TRUE(smtp.send("list@x.test", {"a@x.test"}, messageWith("Mode")).ok);
    }
    const QList<SinkMessage> taken = sink.messages();
    ASSERT_EQ(taken.size(), 3);
    EXPECT_TRUE(taken[0].tls);
    EXPECT_TRUE(taken[1].tls);
    EXPECT_FALSE(taken[2].tls);

    // The sink's certificate is its own: checked, it is refused before anything is sent.
    auto checked = connection(sink.account(SmtpSecurity::StartTls, true));
    const SmtpResult refused = checked.send("list@x.test", {"a@x.test"}, messageWith("Checked"));
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.contains("certificate")) << refused.error.toStdString();
    EXPECT_EQ(sink.messages().size(), 3);

    SmtpSink plain;
    ASSERT_TRUE(plain.started());
    auto demanding = connection(plain.account(SmtpSecurity::StartTls, false));
    EXPECT_FALSE(demanding.connect().ok);

    options.tls = SmtpSinkOptions::Tls::Implicit;
    SmtpSink implicit(options);
    ASSERT_TRUE(implicit.started());
    auto tls = connection(implicit.account(SmtpSecurity::Tls, false));
    EXPECT_TRUE(tls.send("list@x.test", {"a@x.test"}, messageWith("TLS")).ok);
    ASSERT_EQ(implicit.messages().size(), 1);
    EXPECT_TRUE(implicit.messages()[0].tls);
}

TEST_F(SmtpConnectionTest, NoServerIsAnInternetConnectionError)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.started());
    const SmtpAccount gone = sink.account();
    sink.stop();

    auto smtp = connection(gone);
    EXPECT_EQ(smtp.connect().error, "Error connecting to the Internet");
    EXPECT_EQ(smtp.send("list@x.test", {"a@x.test"}, messageWith("Lost")).error,
              "Error connecting to the Internet");
    EXPECT_TRUE(log.contains("SMTP Connection Error: Error connecting to the Internet"));

    EXPECT_TRUE(connectedToInternet("localhost"));
    EXPECT_FALSE(connectedToInternet(""));
}

} // namespace
