#include "mail/MailStores.h"

#include "mail/MailErrors.h"
#include "mail/VCardFolderStore.h"

MailStores::MailStores(std::vector<std::unique_ptr<MailStore>> stores, QString defaultFolderPath)
    : stores_(std::move(stores)), defaultFolderPath_(std::move(defaultFolderPath))
{
}

MailStore* MailStores::store(const QString& name) const
{
    for (const auto& store : stores_)
        if (store->name() == name)
            return store.get();
    return nullptr;
}

namespace {

// The store the path starts with; MailError names the first step when there is none.
MailStore& storeOf(const MailStores& stores, const QStringList& names)
{
    if (names.isEmpty())
        throw mailError("No folder was given");
    MailStore* store = stores.store(names.first());
    if (!store)
        throw missingFolderError(names.first());
    return *store;
}

}  // namespace

std::unique_ptr<MailFolder> MailStores::open(const QString& folderPath) const
{
    const QStringList names = splitFolderPath(folderPath);
    return storeOf(*this, names).open(names.mid(1));
}

QList<VCardContact> MailStores::readContacts(const QString& folderPath) const
{
    const QStringList names = splitFolderPath(folderPath);
    auto* contacts = dynamic_cast<VCardFolderStore*>(&storeOf(*this, names));
    if (!contacts)
        throw mailError(folderPath + " is not a contacts folder");
    return readVCardFile(contacts->cardFile(names.mid(1)));
}

QStringList splitFolderPath(const QString& folderPath)
{
    if (folderPath.isEmpty())
        return {};
    return folderPath.split(QStringLiteral("//"));
}
