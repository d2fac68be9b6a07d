#include "mail/MailStoresFromSettings.h"

#include "base/Folders.h"
#include "mail/ContactsStore.h"
#include "mail/ImapStore.h"
#include "mail/MaildirStore.h"
#include "settings/Settings.h"

namespace {
const QString kLocalFolders = "Local Folders";
}

MailStores mailStoresFor(const Settings& settings, const Folders& folders)
{
    std::vector<std::unique_ptr<MailStore>> stores;
    const QString local = settings.LocalMailFolder.isEmpty() ? folders.application + "Mail/"
                                                             : fixpath(settings.LocalMailFolder, true);
    stores.push_back(openMaildirStore(kLocalFolders, local));
    QString defaultFolder = kLocalFolders + "//Inbox";
    if (!settings.IMAPHost.isEmpty()) {
        const ImapAccount account{settings.IMAPHost,  settings.IMAPPort,    settings.IMAPSecurity,
                                  settings.IMAPVerifyCertificate, settings.ProfileName, settings.ProfilePassword};
        defaultFolder = account.storeName() + "//INBOX";
        stores.push_back(openImapStore(account));
    }
    stores.push_back(openContactsStore(folders.application + "Contacts/"));
    return MailStores(std::move(stores), defaultFolder);
}
