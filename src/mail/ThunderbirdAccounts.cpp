#include "mail/ThunderbirdAccounts.h"

#include "mail/ThunderbirdPrefs.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "util/TextFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kDefaultSmtpPort = 25;

// Thunderbird's comma lists ("account1,account2"), without blanks.
QStringList commaList(const std::optional<QString>& text)
{
    QStringList items;
    for (const QString& item : text.value_or(QString()).split(',', Qt::SkipEmptyParts))
        if (!item.trimmed().isEmpty())
            items << item.trimmed();
    return items;
}

struct ProfileChoice {
    QString prefsPath;  // empty: there is no profile
    QString problem;
};

ProfileChoice defaultProfile(const QString& thunderbirdFolder)
{
    const QString iniPath = QDir(thunderbirdFolder).filePath("profiles.ini");
    if (!QFileInfo::exists(iniPath))
        return {};
    IniFile ini;
    QString reason;
    if (!ini.load(iniPath, &reason))
        return {{}, cannotReadText(iniPath, reason)};
    if (ini.hasBinaryContent() || (!ini.isBlank() && !ini.hasSectionHeader()))
        return {{}, iniPath + " is not a profile list"};
    QString chosen;
    for (const QString& section : ini.sectionNames()) {
        if (!section.startsWith("Profile", Qt::CaseInsensitive))
            continue;
        const QString path = ini.value(section, "Path").value_or(QString());
        if (path.isEmpty())
            continue;
        const bool isDefault = ini.value(section, "Default").value_or(QString()).trimmed() == "1";
        if (chosen.isEmpty() || isDefault) {
            const bool relative = ini.value(section, "IsRelative").value_or(QString()).trimmed() == "1";
            chosen = relative ? QDir(thunderbirdFolder).filePath(path) : path;
        }
        if (isDefault)
            break;
    }
    if (chosen.isEmpty())
        return {};
    return {QDir(chosen).filePath("prefs.js"), {}};
}

// The outgoing server of an identity: its own, else the profile's default one.
void addSmtpServer(const ThunderbirdPrefs& prefs, const QString& identity, MailAccountDetails& account)
{
    QString server = prefs.text("mail.identity." + identity + ".smtpServer").value_or(QString());
    if (server.isEmpty())
        server = prefs.text("mail.smtp.defaultserver").value_or(QString());
    if (server.isEmpty())
        return;
    const QString prefix = "mail.smtpserver." + server;
    account.smtpHost = prefs.text(prefix + ".hostname").value_or(QString()).trimmed();
    const int port = prefs.integer(prefix + ".port").value_or(kDefaultSmtpPort);
    // Thunderbird stores 0 for "the usual port"; Settings.ini would refuse it.
    account.smtpPort = settingKey("SMTPPort")->rule.accepts(port) ? port : kDefaultSmtpPort;
}

MailAccountList accountsOf(const ThunderbirdPrefs& prefs)
{
    MailAccountList list;
    const QString defaultKey = prefs.text("mail.accountmanager.defaultaccount").value_or(QString());
    for (const QString& key : commaList(prefs.text("mail.accountmanager.accounts"))) {
        const QString server = prefs.text("mail.account." + key + ".server").value_or(QString());
        const std::optional<QString> name = prefs.text("mail.server." + server + ".name");
        if (server.isEmpty() || !name || name->contains("FAX", Qt::CaseInsensitive))
            continue;
        MailAccountDetails account;
        account.name = *name;
        const QStringList identities = commaList(prefs.text("mail.account." + key + ".identities"));
        if (!identities.isEmpty()) {
            const QString prefix = "mail.identity." + identities.first();
            account.fullName = prefs.text(prefix + ".fullName").value_or(QString());
            account.email = prefs.text(prefix + ".useremail").value_or(QString());
            addSmtpServer(prefs, identities.first(), account);
        }
        if (key == defaultKey)
            list.defaultIndex = int(list.accounts.size());
        list.accounts << account;
    }
    return list;
}

}  // namespace

QString defaultThunderbirdFolder()
{
    const QString home = QDir::homePath();
    const QString usual = home + "/.thunderbird";
    for (const QString& folder : {usual, home + "/.var/app/org.mozilla.Thunderbird/.thunderbird",
                                  home + "/snap/thunderbird/common/.thunderbird"})
        if (QFileInfo(folder).isDir())
            return folder;
    return usual;
}

MailAccountList readThunderbirdAccounts(const QString& thunderbirdFolder)
{
    const ProfileChoice profile = defaultProfile(thunderbirdFolder);
    if (profile.prefsPath.isEmpty() || !QFileInfo::exists(profile.prefsPath))
        return {{}, -1, profile.problem};
    QString reason;
    const std::optional<QString> text = readText(profile.prefsPath, &reason);
    if (!text)
        return {{}, -1, cannotReadText(profile.prefsPath, reason)};
    ThunderbirdPrefs prefs;
    if (!prefs.parse(*text, &reason))
        return {{}, -1, profile.prefsPath + ", " + reason};
    return accountsOf(prefs);
}
