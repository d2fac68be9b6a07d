#pragma once

#include "sending/SmtpAccount.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A message as the sink took it.
struct SinkMessage {
    QString sender;
    QStringList recipients;  // the accepted ones
    QString session;         // the client's address and port: one per connection
    bool tls = false;        // the session ran over TLS
    QByteArray bytes;        // as the client sent them, dots unstuffed
};

struct SmtpSinkOptions {
    enum class Tls { None, StartTls, Implicit };
    Tls tls = Tls::None;  // with a self-signed certificate for 127.0.0.1
    QString user;         // set: AUTH LOGIN with this user and password is required
    QString password;
    QStringList refused;  // RCPT answered 550
    QString deferred;     // RCPT answered 450
};

// An aiosmtpd server on a free port of 127.0.0.1 that keeps every message it
// takes as files the test reads back. A failure to start fails the test and
// leaves started() false.
class SmtpSink {
public:
    static bool installed();  // tests skip without python3-aiosmtpd

    explicit SmtpSink(SmtpSinkOptions options = {});
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    bool started() const { return port_ != 0; }
    // SIGTERM to the server's pid, then waits for its exit.
    void stop();

    // Reaches this sink with the given security and, when it asks for one, its log-in.
    SmtpAccount account(SmtpSecurity security = SmtpSecurity::Auto, bool verifyCertificate = false) const;
    // In the order taken.
    QList<SinkMessage> messages() const;

private:
    QTemporaryDir dir_;
    SmtpSinkOptions options_;
    QProcess process_;
    int port_ = 0;
};
