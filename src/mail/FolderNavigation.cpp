#include "mail/FolderNavigation.h"

#include "base/Ui.h"
#include "mail/MailErrors.h"

#include <algorithm>
#include <optional>

namespace {

// The first name below the store that its tree does not hold; nullopt when every
// step is there.
std::optional<QString> missingStep(MailStore& store, const QStringList& names)
{
    QList<MailFolderNode> level = store.folders();
    for (const QString& name : names) {
        const auto found = std::find_if(level.cbegin(), level.cend(),
                                        [&](const MailFolderNode& node) { return node.name == name; });
        if (found == level.cend())
            return name;
        level = found->children;
    }
    return std::nullopt;
}

// Which step an open that failed stumbled on: a store that is not there or cannot
// be reached is the first step; a folder that is gone is its own name.
QString failedStep(const MailStores& stores, const QStringList& names)
{
    if (names.isEmpty())
        return {};
    MailStore* store = stores.store(names.first());
    if (!store)
        return names.first();
    try {
        return missingStep(*store, names.mid(1)).value_or(names.last());
    } catch (const MailError&) {
        return names.first();
    }
}

}  // namespace

std::unique_ptr<MailFolder> NavigateToOLFolder(const MailStores& stores, const QString& path, Ui& ui,
                                               QString& lastName)
{
    const QStringList names = splitFolderPath(path);
    try {
        auto folder = stores.open(path);
        lastName = names.last();
        return folder;
    } catch (const MailError&) {
        lastName = failedStep(stores, names);
        ui.warn("The folder, " + lastName + ", could not be opened");
        return nullptr;
    }
}

bool CreateOutlookFolder(const MailStores& stores, Ui& ui, const QString& path, const QString& name)
{
    try {
        const QStringList names = splitFolderPath(path);
        MailStore* store = names.isEmpty() ? nullptr : stores.store(names.first());
        if (!store || missingStep(*store, names.mid(1)))
            throw mailError("Cannot locate folder");
        store->createFolder(names.mid(1), name);
        return true;
    } catch (const MailError& error) {
        ui.warn("An error was encountered creating the mail account folder, " + name + ": " +
                mailErrorText(error));
        return false;
    }
}
