#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// A recipient the server would not take, with its answer.
struct SmtpRefusal {
    QString address;
    int code = 0;   // 0: never offered to the server
    QString reply;  // the full reply text
};

// Follows one SMTP dialogue from libcurl's debug stream. libcurl reports only a
// reply code and only for the step that failed; the user needs the server's
// own words, and which recipients it refused.
class SmtpTranscript {
public:
    void clear();
    void sent(QByteArrayView data);      // a command line the client wrote
    void received(QByteArrayView data);  // reply text the server wrote

    // The last complete reply other than the farewell to QUIT; code 0 when none came.
    int code() const { return code_; }
    const QString& reply() const { return reply_; }
    const QList<SmtpRefusal>& refusals() const { return refusals_; }
    // The server invited the message text (354 to DATA): from here on a broken
    // connection leaves it unknown whether the message arrived.
    bool textInvited() const { return textInvited_; }

private:
    void line(const QByteArray& text);

    QByteArray command_;  // the verb of the last command
    QString recipient_;   // the address of the last RCPT TO
    QByteArray partial_;  // received text not yet ended by a line break
    QStringList lines_;   // the reply being read
    int code_ = 0;
    QString reply_;
    QList<SmtpRefusal> refusals_;
    bool textInvited_ = false;
};
