#include "base/Folders.h"
#include "base/Ui.h"
#include "logs/Logs.h"
#include "sending/ui/TdlgSMTPSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/SetupWizardServices.h"
#include "setup/ui/TdlgAdvancedSettings.h"
#include "setup/ui/TdlgProfile.h"
#include "setup/ui/TdlgSetupWizard.h"
#include "setup/ui/Tdlgoptions.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QDir>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Keys that no settings dialog shows: state the program keeps for itself, keys
// described as having no dialog, and those whose windows live elsewhere.
const QSet<QString> kNoControlHere = {
    "CurrentMode", "LastSiteVisit", "ShownBigDBWarning", "AcknowledgementSubject", "ProcessAsUnread",
    "ReadReceipt", "DebugLogging",
    "chkhtmlchecked",                         // the send dialog's own box
    "DBPath",                                 // the open-database dialog
    "ShowGroupPanel", "AllowEditing",         // the list grid's menu
    "DefaultFullName", "DefaultFirstName", "DefaultSurname", "DefaultCompany",  // "Default Field Values"
    "ServerConnections", "DNSHost", "DNSTimeOut", "DNSProcessBounce",           // the relay server's dialog
};

// Where a key's control has a name of its own.
const QHash<QString, QStringList> kControlNames = {
    {"EmailMethod", {"edtEmailMethod"}},
    {"AltSendMethod", {"edtAltSendMethod"}},
    {"EmailSoftware", {"rdbMailAccount", "rdbOtherSoftware"}},
};

QString artifactFolder()
{
    const QString folder = QApplication::applicationDirPath() + "/../test-artifacts";
    QDir().mkpath(folder);
    return folder;
}

// Shows each tab of the dialog's tab control in turn, saving a picture of it, and
// collects the object names of everything the dialog holds.
void walk(QDialog& dialog, const QString& tabsName, const QString& prefix, QSet<QString>& names)
{
    dialog.show();
    QApplication::processEvents();
    auto* tabs = dialog.findChild<QTabWidget*>(tabsName);
    ASSERT_NE(tabs, nullptr) << tabsName.toStdString();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file = artifactFolder() + "/" + prefix + "-" + QString::number(i + 1) + ".png";
        EXPECT_TRUE(dialog.grab().save(file)) << file.toStdString();
    }
    for (const QObject* child : dialog.findChildren<QObject*>())
        names.insert(child->objectName());
    dialog.hide();
}

void walk(QDialog& dialog, const QString& picture, QSet<QString>& names)
{
    dialog.show();
    QApplication::processEvents();
    const QString file = artifactFolder() + "/" + picture + ".png";
    EXPECT_TRUE(dialog.grab().save(file)) << file.toStdString();
    for (const QObject* child : dialog.findChildren<QObject*>())
        names.insert(child->objectName());
    dialog.hide();
}

TEST(SettingsReach, EveryKeyWithAControlIsReachableFromASettingsDialogByItsName)
{
    QTemporaryDir home;
    const Folders folders = Folders::forApplication(home.path() + "/");
    Settings settings;
    settings.EmailMethod = 3;
    settings.AltSendMethod = 0;
    ScriptedUi ui;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    QSet<QString> names;

    OptionsServices services{.ui = ui, .logs = logs};
    Tdlgoptions options(services, settings);
    walk(options, "pgOptions", "options", names);
    TdlgAdvancedSettings advanced(ui, settings, folders, {});
    walk(advanced, "advanced-settings", names);
    TdlgProfile profile(ui, settings, folders);
    walk(profile, "profile", names);
    TdlgSMTPSettings smtp(ui, settings);
    walk(smtp, "smtp-settings", names);
    SetupWizardServices wizardServices{ui, {}, {}, home.path() + "/no-thunderbird"};
    TdlgSetupWizard wizard(wizardServices, settings);
    walk(wizard, "pgcWizard", "setup-wizard", names);

    QStringList unreachable;
    for (const SettingKey& key : settingKeys()) {
        const QString name = QString::fromLatin1(key.key);
        if (kNoControlHere.contains(name))
            continue;
        const QStringList wanted = kControlNames.value(name, {name});
        const bool found = std::any_of(wanted.begin(), wanted.end(), [&](const QString& n) { return names.contains(n); });
        if (!found)
            unreachable << name;
    }
    EXPECT_TRUE(unreachable.isEmpty()) << unreachable.join(", ").toStdString();
}

}  // namespace
