// SMTP send throughput: N personalised messages of 2 KB over one connection to Postfix's
// smtp-sink on loopback. Its limit is measured in the same run: Postfix's own
// smtp-source sending the same number and size of messages over one connection
// to the same sink. Prints messages/s for both and the ratio of ours to the limit,
// best of five rounds taken in turns (on a loaded machine single rounds scatter widely).
//
// Arguments (optional): the number of messages (10000).
#include "PostfixSink.h"
#include "YesUi.h"
#include "base/ProcessEnvironment.h"
#include "logs/Logs.h"
#include "mail/MailStores.h"
#include "sending/FieldCodes.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 5;
constexpr int kMessageBytes = 2000;

// This process's own processor time, user and system.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray messageOfSize(int bytes)
{
    QByteArray message = "From: list@x.test\r\nTo: member@x.test\r\nSubject: Bench\r\n\r\n";
    while (message.size() < bytes)
        message += QByteArray(70, 'x') + "\r\n";
    return message;
}

// Through SendByMethod by method 3, as a mailing sends: each message personalised
// for its recipient, built by the message builder, over the run's one connection.
struct OurRound {
    double seconds;
    double processorSecondsPerMessage;
};

OurRound ourRound(int port, int count, const QString& logFolder)
{
    YesUi ui;
    Settings settings;
    settings.SMTPHost = QStringLiteral("127.0.0.1");
    settings.SMTPPort = port;
    settings.SMTPSecurity = QStringLiteral("None");
    settings.SMTPEmail = QStringLiteral("list@x.test");
    settings.SMTPName = QStringLiteral("The List");
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    TdmMailSend mailSend(settings, logs, ui, [logFolder] { return logFolder; },
                         [] { return MailStores({}, QString()); });
    mailSend.AddToSendLog(QString(), true);
    const QString body = QStringLiteral("Dear %FIRST_NAME%,\n") + QString::fromLatin1(messageOfSize(kMessageBytes).mid(60));
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    if (!mailSend.SMTPConnect().ok)
        std::fprintf(stderr, "no connection to smtp-sink\n");
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const FieldValues member{QStringLiteral("Member %1").arg(i), QStringLiteral("Member"), QString(), QString(),
                                 QStringLiteral("member%1@x.test").arg(i)};
        SendByMethodCall call;
        call.to = {member.address};
        call.subject = ReplaceFieldCodes(QStringLiteral("News for %FULL_NAME%"), member, settings);
        call.body = ReplaceFieldCodes(body, member, settings);
        call.method = 3;
        call.showErrors = false;
        failed += mailSend.SendByMethod(call) ? 0 : 1;
    }
    mailSend.SMTPDisconnect();
    if (failed)
        std::fprintf(stderr, "%d messages failed\n", failed);
    return {clock.elapsed() / 1000.0, (cpuSeconds() - cpuBefore) / count};
}

} // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();  // as the programs start
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    PostfixSink sink;
    if (!sink.started())
        return 1;
    const int port = sink.port();

    QTemporaryDir logFolder;
    double ours = 1e9;
    double processorPerMessage = 1e9;
    double limit = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        limit = std::min(limit, sink.sourceSeconds(count, kMessageBytes));
        const OurRound taken = ourRound(port, count, logFolder.path() + "/");
        ours = std::min(ours, taken.seconds);
        processorPerMessage = std::min(processorPerMessage, taken.processorSecondsPerMessage);
    }

    std::printf("SMTP send, %d messages of %d bytes over one connection\n", count, kMessageBytes);
    std::printf("  ours (SendByMethod 3): %8.0f messages/s (personalised, built and sent)\n", count / ours);
    std::printf("  of which processor time in this process: %.0f us per message\n", processorPerMessage * 1e6);
    std::printf("  limit (smtp-source):   %8.0f messages/s\n", count / limit);
    std::printf("ratio to the limit: %.2f\n", limit / ours);
    return 0;
}
