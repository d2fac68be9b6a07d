#include "sending/ui/TdlgSMTPSettings.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(SmtpSettingsDialog, TestOpensASessionWithTheTypedValuesWithoutStoringThem)
{
    if (!SmtpSink::installed())
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    SmtpSink sink;
    ASSERT_TRUE(sink.started());
    const SmtpAccount account = sink.account(SmtpSecurity::None);
    Settings settings;
    ScriptedUi ui;
    TdlgSMTPSettings dialog(ui, settings);
    dialog.findChild<QLineEdit*>("SMTPHost")->setText(account.host);
    dialog.findChild<QLineEdit*>("SMTPPort")->setText(QString::number(account.port));
    dialog.findChild<QLineEdit*>("SMTPEmail")->setText("owner@example.test");
    dialog.findChild<QComboBox*>("SMTPSecurity")->setCurrentText("None");
    dialog.findChild<QPushButton*>("btnTest")->click();
    const QString server = account.host + ":" + QString::number(account.port);
    EXPECT_EQ(ui.texts(), QStringList{"The SMTP server " + server + " answered."});
    EXPECT_TRUE(settings.SMTPHost.isEmpty());

    sink.stop();
    dialog.findChild<QPushButton*>("btnTest")->click();
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_EQ(ui.shown[1].icon, Ui::Icon::Warning);
    EXPECT_EQ(ui.shown[1].text,
              "The SMTP server " + server + " could not be used: Error connecting to the Internet");
}
