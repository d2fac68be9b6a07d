#include "logs/Logs.h"
#include "sending/SendLog.h"
#include "sending/SendmailTransport.h"
#include "settings/Settings.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A mail program of our own making: what a real one does with its input matters
// less here than how its answer is read.
QString mailer(const QTemporaryDir& dir, const QByteArray& script)
{
    const QString path = dir.filePath("sendmail");
    writeTestFile(path, "#!/bin/sh\n" + script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

TEST(Sendmail, TheMessageGoesInWholeAndAFailureIsToldInTheMailersWords)
{
    QTemporaryDir dir;
    const QByteArray message = "To: a@example.test\r\nSubject: s\r\n\r\n.\r\nline\r\n";
    const QString keeper = mailer(dir, "echo \"$@\" > \"$0.args\"; cat > \"$0.in\"\n");
    EXPECT_TRUE(sendThroughSendmail(keeper, message).handedOver);
    EXPECT_EQ(readTestFile(keeper + ".args"), "-t -i\n");
    EXPECT_EQ(readTestFile(keeper + ".in"), message);

    const QString refusing = mailer(dir, "cat > /dev/null; echo 'sendmail: fatal: No recipient addresses found' >&2; exit 75\n");
    const SendmailOutcome refused = sendThroughSendmail(refusing, message);
    EXPECT_FALSE(refused.handedOver);
    EXPECT_EQ(refused.error, "The mail program " + refusing +
                                 " ended with status 75: sendmail: fatal: No recipient addresses found");

    const SendmailOutcome missing = sendThroughSendmail(dir.filePath("no-such-mailer"), message);
    EXPECT_FALSE(missing.handedOver);
    EXPECT_TRUE(missing.error.contains("could not be started")) << missing.error.toStdString();

    const QString hanging = mailer(dir, "exec sleep 30\n");
    const SendmailOutcome hung = sendThroughSendmail(hanging, message, 300);
    EXPECT_FALSE(hung.handedOver);
    EXPECT_TRUE(hung.error.contains("did not finish")) << hung.error.toStdString();
}

TEST(SendLogTest, EachRunStartsTheFileAndTheOptionOffWritesOnlyTheDebugTrace)
{
    QTemporaryDir dir;
    Settings settings;
    settings.SendLog = true;
    settings.DebugLogging = true;
    const QString folder = dir.path() + "/";
    Logs logs(settings.logSwitches(), folder, [&] { return folder; });
    SendLog log(logs, settings, [&] { return folder; });
    log.AddToSendLog("first run", true);
    log.AddToSendLog("SEND OK");
    log.AddToSendLog("", true);
    log.AddToSendLog("Sending Message with SMTP");
    EXPECT_EQ(readTestFile(folder + "SendLog.txt"), "\nSending Message with SMTP\n");
    settings.SendLog = false;
    log.AddToSendLog("not kept", true);
    EXPECT_EQ(readTestFile(folder + "SendLog.txt"), "\nSending Message with SMTP\n");
    EXPECT_TRUE(readTestFile(folder + "Debuglog.txt").contains("SENDING: not kept"));
}
