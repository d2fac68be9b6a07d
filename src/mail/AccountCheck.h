#pragma once

#include <QString>

struct Folders;
struct ImapAccount;
struct Settings;
class Ui;

// What a "Test" button found, said in words a person can act on.
struct AccountCheck {
    bool ok = false;
    QString text;
};

// Shows what was found: a notice when all was well, else a warning.
void showAccountCheck(Ui& ui, const AccountCheck& found);

// Logs in and lists the account's folders, or gives the server's own words.
AccountCheck checkImapAccount(const ImapAccount& account);
// Lists the Maildir tree at root; a root that is not there is reported, not made.
AccountCheck checkLocalFolders(const QString& root);
// Every mail store the settings name, one paragraph each: the IMAP account when a
// server is set, Local Folders, and the address-book file and the sendmail program
// when set. ok only when all of them are.
AccountCheck checkMailSettings(const Settings& settings, const Folders& folders);
