#include "logs/Logs.h"
#include "sending/ui/GetSendingMethod.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
template <class W> W* inDialog(const char* name)
{
    QWidget* dialog = QApplication::activeModalWidget();
    return dialog ? dialog->findChild<W*>(name) : nullptr;
}
void press(QDialogButtonBox::StandardButton which)
{
    for (auto* box : QApplication::activeModalWidget()->findChildren<QDialogButtonBox*>())
        if (QPushButton* b = box->button(which))
            b->click();
}
struct MethodDialog : ::testing::Test {
    Settings settings;
    ScriptedUi ui;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
};
}  // namespace

TEST_F(MethodDialog, OtherSoftwareOffersNoMailAccountMethodsAndCancelKeepsTheCurrentOne)
{
    settings.EmailSoftware = 5;
    QTimer::singleShot(0, [this] {
        EXPECT_FALSE(inDialog<QRadioButton>("rdbOLE")->isEnabled());
        EXPECT_FALSE(inDialog<QRadioButton>("rdbCDO")->isEnabled());
        EXPECT_TRUE(inDialog<QRadioButton>("rdbSMTP")->isEnabled());
        press(QDialogButtonBox::Ok);  // the stored OLE cannot be chosen: nothing is selected
        EXPECT_TRUE(ui.sawText("Please select one of the available sending options."));
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        press(QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(GetSendingMethod(nullptr, ui, logs, settings, 2), 2);
}

TEST_F(MethodDialog, SmtpWithoutItsSettingsAsksForThemAndStoresThemOnlyWhenEveryCheckPasses)
{
    settings.EmailSoftware = 1;
    QTimer::singleShot(0, [this] {
        inDialog<QRadioButton>("rdbSMTP")->setChecked(true);
        QTimer::singleShot(0, [this] {  // the SMTP settings dialog, over the method dialog
            inDialog<QLineEdit>("SMTPPort")->setText("twenty-five");
            press(QDialogButtonBox::Ok);
            EXPECT_TRUE(ui.sawText("You have not specified a valid SMTP port!"));
            EXPECT_TRUE(ui.sawText("Please specify an e-mail address."));
            EXPECT_TRUE(ui.sawText("Please specify your SMTP server."));
            EXPECT_TRUE(settings.SMTPHost.isEmpty());
            inDialog<QLineEdit>("SMTPPort")->setText("70000");  // beyond what Settings.ini takes
            inDialog<QLineEdit>("SMTPHost")->setText("mail.example.test");
            inDialog<QLineEdit>("SMTPEmail")->setText("owner@example.test");
            press(QDialogButtonBox::Ok);
            EXPECT_EQ(settings.SMTPPort, 25);
            inDialog<QLineEdit>("SMTPPort")->setText("587");
            inDialog<QComboBox>("SMTPSecurity")->setCurrentText("STARTTLS");
            inDialog<QLineEdit>("SMTPEmail")->setText("owner@example.test");
            press(QDialogButtonBox::Ok);
        });
        press(QDialogButtonBox::Ok);
    });
    EXPECT_EQ(GetSendingMethod(nullptr, ui, logs, settings, 0), 3);
    EXPECT_TRUE(ui.sawText("You have selected the SMTP sending method.  Please enter your SMTP settings!"));
    EXPECT_EQ(settings.SMTPHost, "mail.example.test");
    EXPECT_EQ(settings.SMTPPort, 587);
    EXPECT_EQ(settings.SMTPEmail, "owner@example.test");
    EXPECT_EQ(settings.SMTPSecurity, "STARTTLS");
}
