#include "base/Folders.h"
#include "settings/Settings.h"
#include "setup/ui/TdlgProfile.h"
#include "support/DovecotServer.h"
#include "support/ScriptedUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

TEST(ProfileDialog, TestTriesTheTypedAccountWithoutStoringItAndOkStoresIt)
{
    if (!DovecotServer::installed())
        GTEST_SKIP() << "no /usr/sbin/dovecot (scripts/install-deps installs dovecot-imapd)";
    DovecotServer server;
    ASSERT_TRUE(server.started());
    const ImapAccount account = server.account("STARTTLS");
    QTemporaryDir home;
    const Folders folders = Folders::forApplication(home.path() + "/");
    ASSERT_TRUE(QDir().mkpath(folders.application + "Mail"));
    Settings settings;
    settings.SendmailPath.clear();
    ScriptedUi ui;
    TdlgProfile dialog(ui, settings, folders);
    const auto find = [&](const char* name) { return dialog.findChild<QWidget*>(name); };

    ASSERT_TRUE(qobject_cast<QRadioButton*>(find("rdbDefaultProfile"))->isChecked());
    EXPECT_FALSE(find("ProfileName")->isEnabled());
    qobject_cast<QRadioButton*>(find("rdbProfile"))->setChecked(true);
    qobject_cast<QLineEdit*>(find("ProfileName"))->setText(account.user);
    qobject_cast<QLineEdit*>(find("ProfilePassword"))->setText(account.password);
    qobject_cast<QLineEdit*>(find("IMAPHost"))->setText(account.host);
    qobject_cast<QSpinBox*>(find("IMAPPort"))->setValue(account.port);
    qobject_cast<QComboBox*>(find("IMAPSecurity"))->setCurrentText("STARTTLS");
    qobject_cast<QCheckBox*>(find("IMAPVerifyCertificate"))->setChecked(false);
    qobject_cast<QPushButton*>(find("btnTest"))->click();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].icon, Ui::Icon::Information);
    EXPECT_EQ(ui.shown[0].text, "Logged in to " + account.storeName() +
                                    ". Folders: INBOX.\n\nLocal Folders (" + folders.application +
                                    "Mail/): Inbox.");
    EXPECT_TRUE(settings.IMAPHost.isEmpty());

    qobject_cast<QLineEdit*>(find("ProfilePassword"))->setText("not the password");
    qobject_cast<QPushButton*>(find("btnTest"))->click();
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_EQ(ui.shown[1].icon, Ui::Icon::Warning);
    EXPECT_THAT(ui.shown[1].text.toStdString(), HasSubstr("Authentication failed."));

    dialog.findChild<QDialogButtonBox*>("btnsProfile")->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(settings.ProfileName, account.user);
    EXPECT_EQ(settings.ProfilePassword, "not the password");
    EXPECT_EQ(settings.IMAPHost, account.host);
    EXPECT_EQ(settings.IMAPPort, account.port);
    EXPECT_EQ(settings.IMAPSecurity, "STARTTLS");
    EXPECT_FALSE(settings.IMAPVerifyCertificate);
}
