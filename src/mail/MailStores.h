#pragma once

#include "mail/MailStore.h"

#include <QString>
#include <memory>
#include <vector>

struct Settings;
class Folders;

// The folder tree of the mail layer: "Local Folders" (always), the IMAP account
// (when IMAPHost is set; store name ProfileName + "@" + IMAPHost) and "Contacts".
// Stores are built without connecting; a store logs in when first used.
class MailStores {
public:
    MailStores(const Settings& settings, const Folders& folders);
    ~MailStores();
    MailStores(const MailStores&) = delete;
    MailStores& operator=(const MailStores&) = delete;

    const std::vector<std::unique_ptr<MailStore>>& stores() const { return stores_; }
    MailStore* store(const QString& name) const;  // nullptr when there is none of that name
    MailStore& localFolders() const;
    MailStore* imapAccount() const;                // nullptr when not configured
    MailStore& contacts() const;

    // "Default Folder (Inbox)": the IMAP account's INBOX when one is configured,
    // else Local Folders' Inbox, as a folder path.
    QString defaultFolderPath() const;

    // A folder path "store//name//name" opened; MailError names the missing step.
    std::unique_ptr<MailFolder> open(const QString& folderPath) const;

private:
    std::vector<std::unique_ptr<MailStore>> stores_;
};

// Splits a folder path at every "//".
QStringList splitFolderPath(const QString& folderPath);
