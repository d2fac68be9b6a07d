#pragma once

#include "mail/MailStore.h"

#include <QString>
#include <memory>

// The IMAP account of the settings' "Servers" section; the login is the profile.
struct ImapAccount {
    QString host;
    int port = 993;
    QString security = "TLS";  // "TLS", "STARTTLS" or "None"
    bool verifyCertificate = true;
    QString user;
    QString password;

    QString storeName() const { return user + "@" + host; }
};

// Does not connect: the store logs in when first used, once per opened folder.
std::unique_ptr<MailStore> openImapStore(const ImapAccount& account);
