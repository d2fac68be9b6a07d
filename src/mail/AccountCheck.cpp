#include "mail/AccountCheck.h"

#include "base/Ui.h"
#include "mail/MailErrors.h"
#include "mail/MailStoresFromSettings.h"
#include "mail/MaildirStore.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QStringList>

namespace {

void addPaths(const QList<MailFolderNode>& nodes, const QString& above, QStringList& paths)
{
    for (const MailFolderNode& node : nodes) {
        const QString path = above.isEmpty() ? node.name : above + "//" + node.name;
        paths << path;
        addPaths(node.children, path, paths);
    }
}

QString folderList(const QList<MailFolderNode>& nodes)
{
    QStringList paths;
    addPaths(nodes, QString(), paths);
    return paths.isEmpty() ? QStringLiteral("no folders") : paths.join(", ");
}

AccountCheck fileCheck(const QString& what, const QString& path, bool mustRun)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {false, what + " " + path + " was not found."};
    if (mustRun && !file.isExecutable())
        return {false, what + " " + path + " cannot be run."};
    return {true, what + " " + path + " was found."};
}

void append(AccountCheck& all, const AccountCheck& one)
{
    all.ok = all.ok && one.ok;
    all.text += (all.text.isEmpty() ? "" : "\n\n") + one.text;
}

} // namespace

void showAccountCheck(Ui& ui, const AccountCheck& found)
{
    if (found.ok)
        ui.inform(found.text);
    else
        ui.warn(found.text);
}

AccountCheck checkImapAccount(const ImapAccount& account)
{
    try {
        const auto store = openImapStore(account);
        const QList<MailFolderNode> folders = store->folders();
        return {true, "Logged in to " + store->name() + ". Folders: " + folderList(folders) + "."};
    } catch (const MailError& failure) {
        return {false, logonErrorText(failure)};
    }
}

AccountCheck checkLocalFolders(const QString& root)
{
    if (!QFileInfo(root).isDir())
        return {false, "The Local Folders location " + root + " does not exist."};
    try {
        // The store makes a missing Inbox, as it would at the first check for new entries.
        const auto store = openMaildirStore(QStringLiteral("Local Folders"), root);
        return {true, "Local Folders (" + root + "): " + folderList(store->folders()) + "."};
    } catch (const MailError& failure) {
        return {false, "Local Folders (" + root + "): " + mailErrorText(failure)};
    }
}

AccountCheck checkMailSettings(const Settings& settings, const Folders& folders)
{
    AccountCheck all{true, {}};
    if (!settings.IMAPHost.isEmpty())
        append(all, checkImapAccount(imapAccountFrom(settings)));
    append(all, checkLocalFolders(localFoldersRoot(settings, folders)));
    if (!settings.AddressBookFile.isEmpty())
        append(all, fileCheck("The vCard Address Book", settings.AddressBookFile, false));
    if (!settings.SendmailPath.isEmpty())
        append(all, fileCheck("The sendmail program", settings.SendmailPath, true));
    return all;
}
