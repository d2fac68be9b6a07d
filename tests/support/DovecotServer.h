#pragma once

#include "mail/ImapStore.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A message as Dovecot keeps it: one Maildir file.
struct StoredMessage {
    QString subject;
    QString flags;  // the Maildir letters after ":2,": S seen, T deleted, D draft, R, F
};

// A private Dovecot for one test, on free ports of 127.0.0.1 (plain IMAP with
// STARTTLS, and IMAPS), with a certificate of its own for 127.0.0.1 and one
// user whose folders are a Maildir++ tree: folder {"Lists", "Done"} is the
// directory ".Lists.Done". Folders are given as names below the account, the
// Inbox as {"INBOX"}. A failure to start fails the test and leaves started() false.
class DovecotServer {
public:
    static bool installed();  // tests skip without /usr/sbin/dovecot

    DovecotServer();
    ~DovecotServer();
    DovecotServer(const DovecotServer&) = delete;
    DovecotServer& operator=(const DovecotServer&) = delete;

    bool started() const { return started_; }
    // Ends the user's sessions as a restarting server would: each client is told BYE.
    void endSessions();
    // Ends the sessions, sends SIGTERM to the pid in base_dir/master.pid and waits for the exit.
    void stop();

    // The user's account; "TLS" picks the IMAPS port, anything else the IMAP one.
    ImapAccount account(const QString& security = QStringLiteral("None"),
                        bool verifyCertificate = false) const;
    QString log() const;

    void createFolder(const QStringList& names) const;
    // Writes the message into the folder as a mail server would deliver it:
    // into new/, or into cur/ already carrying flags. Later deliveries sort later.
    void deliver(const QStringList& folder, const QByteArray& message,
                 const QString& flags = QString());
    // The folder's messages read from its files, oldest first.
    QList<StoredMessage> messages(const QStringList& folder) const;

private:
    bool startOnFreePorts();
    void writeConfiguration() const;
    bool waitUntilListening();
    QString maildir(const QStringList& folder) const;
    void giveToMailUser(const QString& path) const;

    QTemporaryDir dir_;
    QProcess process_;
    int imapPort_ = 0;
    int imapsPort_ = 0;
    int deliveries_ = 0;
    bool started_ = false;
};
