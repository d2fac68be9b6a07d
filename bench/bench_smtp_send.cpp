// SMTP send throughput: N messages of 2 KB over one connection to Postfix's
// smtp-sink on loopback. Its limit is measured in the same run: Postfix's own
// smtp-source sending the same number and size of messages over one connection
// to the same sink. Prints messages/s for both and the ratio of ours to the limit,
// best of five rounds taken in turns (on a loaded machine single rounds scatter widely).
//
// Needs the postfix package (for smtp-sink and smtp-source only; no mail system
// has to run). To install it without one:
//   echo "postfix postfix/main_mailer_type select No configuration" | debconf-set-selections
//   apt-get install -y postfix
//
// Arguments (optional): the number of messages (10000).
#include "sending/SmtpConnection.h"
#include "YesUi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kRounds = 5;
constexpr int kMessageBytes = 2000;
const QString kSink = QStringLiteral("/usr/sbin/smtp-sink");
const QString kSource = QStringLiteral("/usr/sbin/smtp-source");

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool listening(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(200);
}

QByteArray messageOfSize(int bytes)
{
    QByteArray message = "From: list@x.test\r\nTo: member@x.test\r\nSubject: Bench\r\n\r\n";
    while (message.size() < bytes)
        message += QByteArray(70, 'x') + "\r\n";
    return message;
}

double sourceSeconds(int port, int count)
{
    QElapsedTimer clock;
    clock.start();
    QProcess source;
    source.start(kSource, {"-s", "1", "-d", "-m", QString::number(count), "-l", QString::number(kMessageBytes),
                           "-f", "list@x.test", "-t", "member@x.test", "127.0.0.1:" + QString::number(port)});
    source.waitForFinished(-1);
    if (source.exitCode() != 0)
        std::fprintf(stderr, "smtp-source failed: %s\n", source.readAllStandardError().constData());
    return clock.elapsed() / 1000.0;
}

double oursSeconds(int port, int count)
{
    YesUi ui;
    SmtpAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = port;
    account.security = SmtpSecurity::None;
    SmtpConnection smtp(account, ui, [](const QString&) {});
    const QByteArray message = messageOfSize(kMessageBytes);
    QElapsedTimer clock;
    clock.start();
    if (!smtp.connect().ok)
        std::fprintf(stderr, "no connection to smtp-sink\n");
    int failed = 0;
    for (int i = 0; i < count; ++i)
        failed += smtp.send("list@x.test", {"member@x.test"}, message).ok ? 0 : 1;
    smtp.disconnect();
    if (failed)
        std::fprintf(stderr, "%d messages failed\n", failed);
    return clock.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int port = freePort();
    QStringList sinkArguments{"127.0.0.1:" + QString::number(port), "100"};
    // Under root it must give up its privileges once it listens.
    if (geteuid() == 0)
        sinkArguments = QStringList{"-u", "nobody"} + sinkArguments;
    QProcess sink;
    sink.setStandardOutputFile(QProcess::nullDevice());
    sink.start(kSink, sinkArguments);
    if (!sink.waitForStarted(5000)) {
        std::fprintf(stderr, "smtp-sink did not start (is postfix installed?)\n");
        return 1;
    }
    while (!listening(port)) {
        if (sink.state() == QProcess::NotRunning) {
            std::fprintf(stderr, "smtp-sink stopped at once\n");
            return 1;
        }
        QThread::msleep(20);
    }

    double ours = 1e9;
    double limit = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        limit = std::min(limit, sourceSeconds(port, count));
        ours = std::min(ours, oursSeconds(port, count));
    }
    sink.terminate();
    sink.waitForFinished(5000);

    std::printf("SMTP send, %d messages of %d bytes over one connection\n", count, kMessageBytes);
    std::printf("  ours (libcurl):        %8.0f messages/s\n", count / ours);
    std::printf("  limit (smtp-source):   %8.0f messages/s\n", count / limit);
    std::printf("ratio to the limit: %.2f\n", limit / ours);
    return 0;
}
