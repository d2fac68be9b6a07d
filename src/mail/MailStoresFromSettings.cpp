#include "mail/MailStoresFromSettings.h"

#include "base/Folders.h"
#include "mail/ContactsStore.h"
#include "mail/MaildirStore.h"
#include "settings/Settings.h"

namespace {
const QString kLocalFolders = "Local Folders";
}

QString localFoldersRoot(const Settings& settings, const Folders& folders)
{
    return settings.LocalMailFolder.isEmpty() ? folders.application + "Mail/"
                                              : fixpath(settings.LocalMailFolder, true);
}

ImapAccount imapAccountFrom(const Settings& settings)
{
    return ImapAccount{settings.IMAPHost,  settings.IMAPPort,    settings.IMAPSecurity,
                       settings.IMAPVerifyCertificate, settings.ProfileName, settings.ProfilePassword};
}

MailStores mailStoresFor(const Settings& settings, const Folders& folders)
{
    std::vector<std::unique_ptr<MailStore>> stores;
    stores.push_back(openMaildirStore(kLocalFolders, localFoldersRoot(settings, folders)));
    QString defaultFolder = kLocalFolders + "//Inbox";
    if (!settings.IMAPHost.isEmpty()) {
        const ImapAccount account = imapAccountFrom(settings);
        defaultFolder = account.storeName() + "//INBOX";
        stores.push_back(openImapStore(account));
    }
    stores.push_back(openContactsStore(folders.application + "Contacts/"));
    return MailStores(std::move(stores), defaultFolder);
}
