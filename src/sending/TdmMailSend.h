#pragma once

#include "sending/SendByMethodCall.h"
#include "sending/SendErrors.h"
#include "sending/SendLog.h"
#include "sending/SmtpResult.h"

#include <QString>
#include <functional>
#include <memory>

class Logs;
class MailStores;
class SmtpConnection;
class Ui;
struct BuiltMessage;
struct OutgoingMessage;
struct Settings;

// Every message the program hands out leaves through SendByMethod, by one of the
// send methods: the system's mail program (0), the mail account (1 plain, 2 with
// HTML, each keeping a copy), the user's SMTP server (3) or the relay server (4).
class TdmMailSend {
public:
    // The folder callbacks answer the open database's folder (for SendLog.txt) and
    // the mail account's stores (for the copies methods 1 and 2 keep).
    TdmMailSend(const Settings& settings, Logs& logs, Ui& ui, std::function<QString()> databaseFolder,
                std::function<MailStores()> mailStores);
    ~TdmMailSend();

    // True when the message was handed over without error; a failure never escapes
    // as an exception.
    bool SendByMethod(const SendByMethodCall& call);

    // One SMTP connection for a whole run. SMTPConnect answers what the server said
    // (its error text on failure); SMTPDisconnect never fails.
    SmtpResult SMTPConnect();
    void SMTPDisconnect();

    // What the SMTP server said to the last message SendByMethod handed to it; a
    // default result (code 0) when the last message went another way or never
    // reached a server.
    const SmtpResult& lastSmtpResult() const { return lastSmtp_; }

    void AddToSendLog(const QString& text, bool restart = false) { log_.AddToSendLog(text, restart); }
    void ShowSendError(const QString& text);

    SendFlags flags;
    // The "Show Recipients" button of the error dialog: the running send run's list.
    std::function<void()> showRecipients;
    // Method 4 records whether the relay server shows its summary when it finishes.
    bool relayShowsSummary() const { return relayShowsSummary_; }

private:
    bool MAPISend(const SendByMethodCall& call);
    bool AccountSend(const SendByMethodCall& call, bool plainOnly);
    bool SMTPSend(const SendByMethodCall& call);
    // Methods 1 to 3 hand the message to an SMTP server; the mail account's also
    // keep a copy (a draft instead of sending, for a test message).
    struct ServerRoute {
        QString name;  // in the send log and the error texts
        bool html;
        bool keepsCopy;
        bool connectForThisMessage;
    };
    bool throughServer(const SendByMethodCall& call, const ServerRoute& route);
    bool ServerSend(const SendByMethodCall& call);

    OutgoingMessage messageOf(const SendByMethodCall& call, bool html) const;
    void logRecipients(const SendByMethodCall& call);
    // Hands the bytes to the SMTP server; the error text when it refused them all.
    QString submit(const BuiltMessage& built, bool connectForThisMessage);
    void keepCopy(const BuiltMessage& built, bool draft);
    SmtpConnection& smtp();

    const Settings& settings_;
    Logs& logs_;
    Ui& ui_;
    SendLog log_;
    std::function<MailStores()> mailStores_;
    std::unique_ptr<SmtpConnection> smtp_;
    bool relayShowsSummary_ = false;
    SmtpResult lastSmtp_;
};
