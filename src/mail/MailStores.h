#pragma once

#include "mail/MailStore.h"
#include "mail/VCardContacts.h"

#include <QString>
#include <memory>
#include <vector>

// The folder tree of the mail layer: every store in display order ("Local Folders",
// the IMAP account when there is one, "Contacts"), and which folder path is the
// "Default Folder (Inbox)". Stores connect when first used.
class MailStores {
public:
    MailStores(std::vector<std::unique_ptr<MailStore>> stores, QString defaultFolderPath);
    MailStores(MailStores&&) = default;
    MailStores& operator=(MailStores&&) = default;

    const std::vector<std::unique_ptr<MailStore>>& stores() const { return stores_; }
    MailStore* store(const QString& name) const;  // nullptr when there is none of that name

    const QString& defaultFolderPath() const { return defaultFolderPath_; }

    // A folder path "store//name//name" opened; MailError names the missing step.
    std::unique_ptr<MailFolder> open(const QString& folderPath) const;
    // The cards of a contacts folder path ("Contacts//Friends").
    QList<VCardContact> readContacts(const QString& folderPath) const;

private:
    std::vector<std::unique_ptr<MailStore>> stores_;
    QString defaultFolderPath_;
};

// Splits a folder path at every "//".
QStringList splitFolderPath(const QString& folderPath);
