#include "settings/SettingsStore.h"

#include "base/Folders.h"
#include "base/ProjectInfo.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "util/DateText.h"
#include "util/KeptCopy.h"
#include "util/TextFiles.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>

namespace {

const QString kLoadError = "Error encountered loading user settings from your settings file!";
const QString kListsError =
    "An Error was encountered saving your data files.  Please check that you have sufficient "
    "disk space and the application is run from a write-enabled directory";
const QString kIniError = "Error encountered writing your settings to the registry!";
const QString kIniKept = "The file was left as it is, so that nothing in it is lost; your "
                         "changed settings were not saved.";
const QString kNotSettings = "Your settings file, %1, holds no settings that can be read. It was "
                             "kept as %2, and the default settings are used.";
const QString kSiteQuestion =
    "You have not visited the Tamrix web site for over 4 months.  There may be new versions of "
    "this software or plug-ins available for download.  Would you like to go to the Tamrix web "
    "site now?";

// The web-form grid always has its twelve rows: a short file fills the first
// ones and the others keep their prefixes, so no reader ever runs past the end.
void fillWebForms(QStringList& prefixes, const QStringList& lines)
{
    for (qsizetype i = 0; i < prefixes.size() && i < lines.size(); ++i)
        prefixes[i] = lines[i];
}

// Settings.ini is taken as settings unless it holds binary content (a NUL
// character: a UTF-16 file without its byte-order mark, a damaged or foreign
// file), or has lines but neither a section header nor a key of the program (a
// text that is not an INI file). Odd lines in a file that passes are ignored, so
// a valid file is never thrown away for them.
bool holdsSettings(const IniFile& ini)
{
    if (ini.hasBinaryContent())
        return false;
    if (ini.isBlank() || ini.hasSectionHeader())
        return true;
    return std::any_of(settingKeys().begin(), settingKeys().end(), [&](const SettingKey& key) {
        return ini.value(key.section, key.key).has_value();
    });
}

// What the program does when no setting names a group.
void applyDerivedDefaults(Settings& s)
{
    if (s.defaultcategory.isEmpty())
        s.defaultcategory = "Default";
    if (s.AlternativeCategory.isEmpty())
        s.AlternativeCategory = s.defaultcategory;
}

}  // namespace

SettingsStore::SettingsStore(const Folders& folders, Ui& ui, Logs& logs, Hooks hooks)
    : folders_(folders), ui_(ui), logs_(logs), hooks_(std::move(hooks))
{
}

bool SettingsStore::Loadentries(Settings& s)
{
    loadLists(s);

    bool ok = true;
    const QString iniPath = folders_.settingsFile(kIniName, true);
    IniFile ini;
    QString failure;
    if (readIni(iniPath, ini, &failure)) {
        for (const SettingKey& key : settingKeys()) {
            QString replaced;
            readKey(key, s, ini, &replaced);
            if (!replaced.isEmpty())
                logs_.debug("Loadentries", replaced);
        }
        remindSiteVisit(s, ini, iniPath);
    } else {
        ui_.warn(kLoadError);
        ok = false;
    }
    applyDerivedDefaults(s);

    if (s.EmailSoftware < 0 && hooks_.SetUpWizard) {
        try {
            runSetUpWizard(s);
        } catch (const std::exception&) {
            ui_.warn(kLoadError);
            ok = false;
        }
    }
    return ok;
}

void SettingsStore::runSetUpWizard(Settings& s) const
{
    ui_.hideSplash();
    hooks_.SetUpWizard(s);
}

void SettingsStore::loadLists(Settings& s) const
{
    for (const ListFile& list : listFiles()) {
        QStringList& target = s.*list.member;
        // The open database's own group list has priority over the configured one.
        if (list.member == &Settings::Cats && !target.isEmpty())
            continue;
        const QString path = folders_.settingsFile(list.fileName, true);
        if (!QFileInfo::exists(path))
            continue;
        const std::optional<QStringList> lines = readTextLines(path);
        if (!lines)
            continue;
        if (list.member == &Settings::WebForms)
            fillWebForms(target, *lines);
        else
            target = *lines;
    }
    if (s.Cats.isEmpty())
        s.Cats = QStringList{"default"};
}

// Every few months the user is invited to look for new versions. A failure
// here never matters to anything else, so it is not reported.
void SettingsStore::remindSiteVisit(Settings& s, IniFile& ini, const QString& iniPath) const
{
    const std::optional<QString> stored = ini.value("Settings", "LastSiteVisit");
    bool known = false;
    const qint64 lastDay = stored ? stored->trimmed().toLongLong(&known) : 0;
    const QDateTime current = now();
    QString next;
    if (known) {
        const double currentDay = double(dayNumber(current.date())) +
                                  current.time().msecsSinceStartOfDay() / 86400000.0;
        if (currentDay <= double(lastDay + kReminderDays))
            return;
        if (ui_.askYesNo(kSiteQuestion)) {
            const QUrl home(QString::fromLatin1(ProjectInfo::kHomePage));
            if (hooks_.openUrl)
                hooks_.openUrl(home);
            else
                QDesktopServices::openUrl(home);
        }
        // Emptied, so the next start begins a new period from its own day.
    } else {
        next = QString::number(dayNumber(current.date()));
    }
    s.LastSiteVisit = next;
    ini.setValue("Settings", "LastSiteVisit", next);
    ini.save(iniPath);
}

QDateTime SettingsStore::now() const
{
    return hooks_.now ? hooks_.now() : QDateTime::currentDateTime();
}

bool SettingsStore::SaveEntries(const Settings& s)
{
    logs_.debug("SaveEntries", "Commence");
    bool ok = true;
    if (hooks_.saveDatabase) {
        // The settings are saved even when the database state cannot be.
        try {
            hooks_.saveDatabase();
        } catch (const std::exception& e) {
            ui_.warn(QString::fromUtf8(e.what()));
            ok = false;
        }
    }

    if (const QStringList failures = saveLists(s); !failures.isEmpty()) {
        ui_.warn(kListsError + "\n\n" + failures.join('\n'));
        ok = false;
    }
    logs_.debug("SaveEntries", "Create Ini File");
    if (const QString failure = saveIni(s); !failure.isEmpty()) {
        ui_.warn(kIniError + "\n\n" + failure);
        ok = false;
    }
    logs_.debug("SaveEntries", "End");
    return ok;
}

QStringList SettingsStore::saveLists(const Settings& s) const
{
    QDir().mkpath(folders_.config);
    QStringList failures;
    for (const ListFile& list : listFiles()) {
        const QString path = folders_.settingsFile(list.fileName, false);
        QString reason;
        if (!writeTextFileAtomically(path, s.*list.member, &reason))
            failures << cannotWriteText(path, reason);
    }
    return failures;
}

QString SettingsStore::saveIni(const Settings& s) const
{
    Settings stored = s;
    if (hooks_.currentDatabaseFolder)
        stored.DBPath = hooks_.currentDatabaseFolder();
    return updateIni([&](IniFile& ini) {
        for (const SettingKey& key : settingKeys())
            if (const std::optional<QString> text = keyText(key, stored))
                ini.setValue(key.section, key.key, *text);
    });
}

bool SettingsStore::SaveDatabasePath(const QString& folder)
{
    const QString failure =
        updateIni([&](IniFile& ini) { ini.setValue("Database", "DBPath", folder); });
    if (failure.isEmpty())
        return true;
    ui_.warn(kIniError + "\n\n" + failure);
    return false;
}

QString SettingsStore::updateIni(const std::function<void(IniFile&)>& change) const
{
    // Starts from the file as it is, so keys written by others (the reminder's
    // day, keys of newer versions) survive the save; a file that cannot be read
    // is left as it is rather than replaced by the changed keys alone.
    const QString source = folders_.settingsFile(kIniName, true);
    IniFile ini;
    QString failure;
    if (!readIni(source, ini, &failure))
        return failure + "\n" + kIniKept;
    change(ini);
    const QString target = folders_.settingsFile(kIniName, false);
    QString reason;
    return ini.save(target, &reason) ? QString() : cannotWriteText(target, reason);
}

bool SettingsStore::readIni(const QString& path, IniFile& ini, QString* failure) const
{
    QString reason;
    if (!ini.load(path, &reason)) {
        *failure = cannotReadText(path, reason);
        return false;
    }
    if (holdsSettings(ini))
        return true;
    const std::optional<QString> kept = moveAside(path, ".bad", &reason);
    if (!kept) {
        *failure = QStringLiteral("Cannot keep %1 aside: %2").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    // It may hold passwords.
    QFile::setPermissions(*kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ui_.warn(kNotSettings.arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(*kept)));
    ini.parse({});
    return true;
}
