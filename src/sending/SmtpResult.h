#pragma once

#include "sending/SmtpTranscript.h"

#include <QList>
#include <QString>

// Stands for any failure below the SMTP dialogue: no route, no server, a broken connection.
inline const QString kSmtpConnectionError = QStringLiteral("Error connecting to the Internet");

// What became of one connection attempt or one message.
struct SmtpResult {
    bool ok = false;  // connected, or the server took the message for at least one recipient
    int code = 0;     // the server's last reply code; 0 when it never answered
    QString reply;    // the full text of that reply
    QString error;    // what went wrong, as the send log and the error dialog show it; empty when ok
    QList<SmtpRefusal> refused;  // recipients that did not get the message
    bool textInvited = false;    // the message text was invited: a lost connection may have delivered it

    bool connectionLost() const { return !ok && error == kSmtpConnectionError; }
};

