#pragma once

#include "sending/SmtpAccount.h"
#include "sending/SmtpResult.h"
#include "sending/SmtpTranscript.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <curl/curl.h>
#include <functional>

class Ui;

// One connection to the user's SMTP server, kept open from connect() to
// disconnect() so a whole send run goes over it. send() also works unconnected:
// it connects first and stays connected. After a failed message libcurl ends the
// session with QUIT and the next message opens a new one.
class SmtpConnection {
public:
    // log receives the send log's lines of connecting and disconnecting.
    using LogLine = std::function<void(const QString&)>;

    SmtpConnection(SmtpAccount account, Ui& ui, LogLine log);
    ~SmtpConnection();
    SmtpConnection(const SmtpConnection&) = delete;
    SmtpConnection& operator=(const SmtpConnection&) = delete;

    // Connects and logs in, showing "Connecting to your SMTP Server...", which
    // stays up until disconnect() (and is hidden at once on failure).
    SmtpResult connect();
    // Ends the session with QUIT; never fails.
    void disconnect();

    // Hands over a complete message (CR LF line ends) for the envelope's recipients.
    // Refused recipients are reported in the result; the others still get the message.
    SmtpResult send(const QString& sender, const QStringList& recipients, const QByteArray& message);

private:
    CURL* handle();
    SmtpResult resultOf(CURLcode code) const;

    static int debug(CURL*, curl_infotype type, char* data, size_t size, void* self);

    SmtpAccount account_;
    Ui& ui_;
    LogLine log_;
    CURL* curl_ = nullptr;
    SmtpTranscript transcript_;
    char errorText_[CURL_ERROR_SIZE] = {};
};
