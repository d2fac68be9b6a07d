#pragma once

// Postfix's smtp-sink on a free loopback port, and smtp-source against it as the
// limit of a send bench. Needs the postfix package (for these two programs only;
// no mail system has to run). To install it without one:
//   echo "postfix postfix/main_mailer_type select No configuration" | debconf-set-selections
//   apt-get install -y postfix
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <cstdio>
#include <unistd.h>

class PostfixSink {
public:
    PostfixSink()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        QStringList arguments{"127.0.0.1:" + QString::number(port_), "100"};
        // Under root it must give up its privileges once it listens.
        if (geteuid() == 0)
            arguments = QStringList{"-u", "nobody"} + arguments;
        sink_.setStandardOutputFile(QProcess::nullDevice());
        sink_.start(QStringLiteral("/usr/sbin/smtp-sink"), arguments);
        if (!sink_.waitForStarted(5000)) {
            std::fprintf(stderr, "smtp-sink did not start (is postfix installed?)\n");
            return;
        }
        while (!listening()) {
            if (sink_.state() == QProcess::NotRunning) {
                std::fprintf(stderr, "smtp-sink stopped at once\n");
                return;
            }
            QThread::msleep(20);
        }
        started_ = true;
    }
    ~PostfixSink()
    {
        sink_.terminate();
        sink_.waitForFinished(5000);
    }

    bool started() const { return started_; }
    int port() const { return port_; }

    // smtp-source's seconds for count messages of the size, over one connection,
    // each to recipientsPerMessage recipients.
    double sourceSeconds(int count, int bytes, int recipientsPerMessage = 1) const
    {
        QElapsedTimer clock;
        clock.start();
        QProcess source;
        QStringList arguments{"-s", "1", "-d", "-m", QString::number(count), "-l", QString::number(bytes)};
        if (recipientsPerMessage > 1)
            arguments << "-r" << QString::number(recipientsPerMessage);
        arguments << "-f" << "list@x.test" << "-t" << "member@x.test" << "127.0.0.1:" + QString::number(port_);
        source.start(QStringLiteral("/usr/sbin/smtp-source"), arguments);
        source.waitForFinished(-1);
        if (source.exitCode() != 0)
            std::fprintf(stderr, "smtp-source failed: %s\n", source.readAllStandardError().constData());
        return clock.elapsed() / 1000.0;
    }

private:
    bool listening() const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port_));
        return socket.waitForConnected(200);
    }

    QProcess sink_;
    int port_ = 0;
    bool started_ = false;
};
