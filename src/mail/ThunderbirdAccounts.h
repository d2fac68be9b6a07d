#pragma once

#include <QList>
#include <QString>

// One mail account of the user's Thunderbird profile, with what its first
// identity puts on outgoing mail.
struct MailAccountDetails {
    QString name;      // the account's name as Thunderbird lists it
    QString fullName;  // the identity's name
    QString email;     // the identity's address
    QString smtpHost;  // empty when the identity has no outgoing server
    int smtpPort = 25;
};

struct MailAccountList {
    QList<MailAccountDetails> accounts;
    // Index of the default account in accounts; -1 when it is not among them.
    int defaultIndex = -1;
    // Why the profile could not be read; empty when it could (or there is none).
    QString problem;
};

// Where Thunderbird keeps its profiles for this user: ~/.thunderbird, or the
// folder of a Flatpak or Snap installation when only that one exists.
QString defaultThunderbirdFolder();

// The accounts of the default profile under thunderbirdFolder (the profile marked
// Default=1 in profiles.ini, else the first). Accounts whose name contains "FAX"
// in any letter case are left out, as they carry no mail. No Thunderbird, no
// profile or no prefs.js: an empty list. A file that exists but cannot be read,
// or is not what Thunderbird writes: an empty list and the problem.
MailAccountList readThunderbirdAccounts(const QString& thunderbirdFolder);
