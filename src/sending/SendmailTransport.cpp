#include "sending/SendmailTransport.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <QUrl>

SendmailOutcome sendThroughSendmail(const QString& sendmailPath, const QByteArray& message, int timeoutMs)
{
    SendmailOutcome outcome;
    QProcess mailer;
    mailer.start(sendmailPath, {"-t", "-i"});
    if (!mailer.waitForStarted()) {
        outcome.error = "The mail program " + sendmailPath + " could not be started: " + mailer.errorString();
        return outcome;
    }
    mailer.write(message);
    mailer.closeWriteChannel();
    if (!mailer.waitForFinished(timeoutMs)) {
        mailer.kill();
        mailer.waitForFinished();
        outcome.error = "The mail program " + sendmailPath + " did not finish within " +
                        QString::number(timeoutMs / 1000) + " seconds.";
        return outcome;
    }
    const QString said = QString::fromLocal8Bit(mailer.readAllStandardError()).trimmed();
    if (mailer.exitStatus() != QProcess::NormalExit) {
        outcome.error = "The mail program " + sendmailPath + " stopped unexpectedly." + (said.isEmpty() ? "" : " " + said);
        return outcome;
    }
    if (mailer.exitCode() != 0) {
        // sysexits.h codes: 75 (EX_TEMPFAIL) means the mailer will not retry itself.
        outcome.error = "The mail program " + sendmailPath + " ended with status " +
                        QString::number(mailer.exitCode()) + (said.isEmpty() ? "." : ": " + said);
        return outcome;
    }
    outcome.handedOver = true;
    return outcome;
}

SendmailOutcome showInMailProgram(const QByteArray& message)
{
    SendmailOutcome outcome;
    QTemporaryFile file(QDir::tempPath() + "/Corvanel-XXXXXX.eml");
    file.setAutoRemove(false);  // the mail program opens it after we return
    if (!file.open() || file.write(message) != message.size() || !file.flush()) {
        outcome.error = "The message could not be written to " + file.fileName() + ": " + file.errorString();
        return outcome;
    }
    file.close();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.fileName()))) {
        outcome.error = "No program is set up to open the message " + file.fileName() + ".";
        return outcome;
    }
    outcome.handedOver = true;
    return outcome;
}
