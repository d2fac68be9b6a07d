#include "logs/Logs.h"
#include "mail/MailFolder.h"
#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SendByMethodTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed() || QStandardPaths::findExecutable("msmtp").isEmpty())
            GTEST_SKIP() << "python3-aiosmtpd or msmtp is not installed";
    }

    // Everything SendByMethod needs, pointed at the sink; the system's mail
    // program is msmtp, set up to hand its mail to the same sink.
    void start(SmtpSinkOptions options = {})
    {
        sink = std::make_unique<SmtpSink>(options);
        ASSERT_TRUE(sink->started());
        settings.SMTPHost = "127.0.0.1";
        settings.SMTPPort = sink->account().port;
        settings.SMTPEmail = "owner@list.test";
        settings.SendLog = true;
        const QString rc = dir.filePath("msmtprc");
        writeTestFile(rc, QString("account default\nhost 127.0.0.1\nport %1\nfrom owner@list.test\nauth off\ntls off\n")
                              .arg(settings.SMTPPort)
                              .toUtf8());
        QFile::setPermissions(rc, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        settings.SendmailPath = dir.filePath("sendmail");
        writeTestFile(settings.SendmailPath, "#!/bin/sh\nexec msmtp -C " + rc.toUtf8() + " \"$@\"\n");
        QFile::setPermissions(settings.SendmailPath, QFile::permissions(settings.SendmailPath) | QFileDevice::ExeOwner);
        mailSend = std::make_unique<TdmMailSend>(settings, logs, ui, [this] { return dir.path() + "/"; },
                                                 [this] { return stores(); });
    }

    MailStores stores()
    {
        std::vector<std::unique_ptr<MailStore>> list;
        list.push_back(openMaildirStore("Local Folders", dir.filePath("Mail")));
        return MailStores(std::move(list), "Local Folders//Inbox");
    }

    QList<QByteArray> copiesIn(const QString& folder)
    {
        QList<QByteArray> copies;
        const std::unique_ptr<MailFolder> open = stores().open("Local Folders//" + folder);
        for (const MessageListing& m : open->list())
            copies << open->fetch(m.key);
        return copies;
    }

    SendByMethodCall htmlTo(const QString& to, int method)
    {
        SendByMethodCall call;
        call.to = {to};
        call.bcc = {"hidden@x.test"};
        call.subject = "News";
        call.body = "<html><body><p>Hello <b>all</b></p></body></html>";
        call.plainAlternative = "Hello all";
        call.bodyIsHtml = true;
        call.method = method;
        return call;
    }

    QTemporaryDir dir;
    Settings settings;
    ScriptedUi ui;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    std::unique_ptr<SmtpSink> sink;
    std::unique_ptr<TdmMailSend> mailSend;
};

}  // namespace

TEST_F(SendByMethodTest, EachMethodNumberReachesItsTransportAndTheMailAccountKeepsACopy)
{
    start();
    // 0, and any number but 1 to 4: the system's mail program, which sends HTML as its source.
    ASSERT_TRUE(mailSend->SendByMethod(htmlTo("a@x.test", 0)));
    ASSERT_TRUE(mailSend->SendByMethod(htmlTo("b@x.test", 255)));
    // 1: the mail account, plain text only; 2: with HTML. Both keep a copy in Sent.
    ASSERT_TRUE(mailSend->SendByMethod(htmlTo("c@x.test", 1)));
    ASSERT_TRUE(mailSend->SendByMethod(htmlTo("d@x.test", 2)));
    // A test message of the mail account becomes a draft, sent to no one.
    SendByMethodCall draft = htmlTo("e@x.test", 2);
    draft.displayOnly = true;
    ASSERT_TRUE(mailSend->SendByMethod(draft));
    // 4: the relay server is started elsewhere.
    EXPECT_FALSE(mailSend->SendByMethod(htmlTo("f@x.test", 4)));

    const QList<SinkMessage> sent = sink->messages();
    ASSERT_EQ(sent.size(), 4);
    for (const SinkMessage& m : sent) {
        EXPECT_TRUE(m.recipients.contains("hidden@x.test")) << m.bytes.toStdString();
        EXPECT_FALSE(m.bytes.contains("hidden@x.test")) << m.bytes.toStdString();
    }
    EXPECT_EQ(sent[0].recipients.first(), "a@x.test");
    EXPECT_TRUE(sent[0].bytes.contains("Content-Type: text/plain"));
    EXPECT_TRUE(sent[0].bytes.contains("<b>all</b>"));  // the source, as plain text
    EXPECT_TRUE(sent[2].bytes.contains("Content-Type: text/plain"));
    EXPECT_TRUE(sent[3].bytes.contains("Content-Type: text/html"));
    EXPECT_EQ(copiesIn("Sent").size(), 2);
    ASSERT_EQ(copiesIn("Drafts").size(), 1);
    EXPECT_TRUE(copiesIn("Drafts").first().contains("To: e@x.test"));
    const QByteArray log = readTestFile(dir.filePath("SendLog.txt"));
    EXPECT_TRUE(log.contains("Sending message with sendmail\nAdding Recipient: a@x.test\nAdding BCC Recipient: "
                             "hidden@x.test\nSEND OK\n"))
        << log.toStdString();
}

TEST_F(SendByMethodTest, ARefusedMessageIsShownInTheServersWordsUntilFurtherErrorsAreHidden)
{
    SmtpSinkOptions options;
    options.refused = {"gone@x.test"};
    start(options);
    SendByMethodCall call;
    call.to = {"gone@x.test"};
    call.subject = "Hello";
    call.body = "Hi";
    call.method = 3;
    call.connectForThisMessage = true;
    ui.sendErrorAnswers.push_back({Ui::SendErrorChoice::Ok, true});
    EXPECT_FALSE(mailSend->SendByMethod(call));
    EXPECT_FALSE(mailSend->SendByMethod(call));
    ASSERT_EQ(ui.sendErrors.size(), 1);
    EXPECT_TRUE(ui.sendErrors[0].startsWith("Sending of message with SMTP failed with the error: \n\n"));
    EXPECT_TRUE(ui.sendErrors[0].contains("550")) << ui.sendErrors[0].toStdString();
    EXPECT_EQ(readTestFile(dir.filePath("SendLog.txt")).count("SEND FAILURE: "), 2);
    EXPECT_TRUE(sink->messages().isEmpty());
}
