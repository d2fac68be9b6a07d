#pragma once

#include <QByteArray>
#include <QString>

// The system's mail program as a send method: the whole MIME message on its
// standard input, the recipients taken from its headers (-t), a line holding only
// "." not taken as the end (-i).
struct SendmailOutcome {
    bool handedOver = false;
    // Why not, in the mail program's own words where it gave any.
    QString error;
};

// Waits for the program to end; one that hangs is stopped after timeoutMs.
SendmailOutcome sendThroughSendmail(const QString& sendmailPath, const QByteArray& message, int timeoutMs = 120000);

// A test message shown instead of sent: written as a .eml file of the temporary
// folder and opened with the desktop's handler for mail files. False (with the
// reason) when the file cannot be written or nothing opens it.
SendmailOutcome showInMailProgram(const QByteArray& message);
