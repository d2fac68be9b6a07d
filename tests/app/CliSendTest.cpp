#include "app/cli/CliMain.h"
#include "support/SmtpSink.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// corvanel-cli send in-process against a real SMTP server on loopback.
class CliSendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
        qputenv("CORVANEL_HOME", home.path().toUtf8());
    }
    void TearDown() override { qunsetenv("CORVANEL_HOME"); }

    void useSink(const SmtpSink& sink)
    {
        writeTestFile(home.filePath("Config/Settings.ini"),
                      QStringLiteral("[Settings]\nEmailMethod=3\n[Servers]\nSMTPHost=127.0.0.1\nSMTPPort=%1\n"
                                     "SMTPSecurity=None\nSMTPName=Zoë News\nSMTPEmail=news@lists.test\n")
                          .arg(sink.account().port)
                          .toUtf8());
    }

    int run(const QStringList& arguments)
    {
        output.clear();
        QTextStream stream(&output);
        return runCli(QStringList{"corvanel-cli", "--yes", "send"} + arguments, home.path(), stream, stream);
    }

    QTemporaryDir home;
    QString output;
};

TEST_F(CliSendTest, AMessageWithAnAttachmentReachesTheServerAndARefusalFailsInTheServersWords)
{
    SmtpSinkOptions options;
    options.refused = {"gone@x.test"};
    SmtpSink sink(options);
    ASSERT_TRUE(sink.started());
    useSink(sink);
    const QString body = home.filePath("body.txt");
    writeTestFile(body, "Dear reader,\n.\nthe dot above stays.\n");
    const QString attachment = home.filePath("Prospectus 2027.pdf");
    writeTestFile(attachment, "%PDF-1.4 not really");

    ASSERT_EQ(run({"--to", "Ann <ann@x.test>", "--subject", "Café news", "--body-file", body, "--attach", attachment}),
              0)
        << output.toStdString();
    ASSERT_EQ(sink.messages().size(), 1);
    const SinkMessage taken = sink.messages().first();
    EXPECT_EQ(taken.sender, "news@lists.test");
    EXPECT_EQ(taken.recipients, QStringList{"ann@x.test"});
    EXPECT_TRUE(taken.bytes.contains("\r\n.\r\n") || taken.bytes.contains("\n.\n")) << taken.bytes.constData();
    EXPECT_TRUE(taken.bytes.contains("Prospectus 2027.pdf")) << taken.bytes.constData();

    EXPECT_EQ(run({"--to", "gone@x.test", "--subject", "Hi"}), 1);
    EXPECT_TRUE(output.contains("550")) << output.toStdString();
    EXPECT_EQ(sink.messages().size(), 1);
}

TEST_F(CliSendTest, NoRecipientOrNoChosenMethodIsABadCall)
{
    EXPECT_EQ(run({"--subject", "Hi"}), 2);
    EXPECT_EQ(run({"--to", "ann@x.test"}), 2);  // a fresh home has no send method chosen
    EXPECT_TRUE(output.contains("no send method is chosen yet")) << output.toStdString();
    EXPECT_EQ(run({"--to", "ann@x.test", "--method", "7"}), 2);
}

}  // namespace
