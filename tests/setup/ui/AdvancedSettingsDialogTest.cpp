#include "base/Folders.h"
#include "settings/Settings.h"
#include "setup/ui/TdlgAdvancedSettings.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kRestart =
    "The changes to the database settings you have made will not take effect until you restart "
    "the application!";
const QString kExclusiveQuestion = "You have selected the option to for exclusive database access. "
                                   " While this will speed up database access, you "
                                   "will not be able to perform searches on your database.\n\nAre "
                                   "you sure you want to enable this option?";

struct AdvancedSettings : ::testing::Test {
    Settings settings;
    ScriptedUi ui;
    Folders folders = Folders::forApplication("/nonexistent/");
    std::vector<int> helpShown;
    std::unique_ptr<TdlgAdvancedSettings> dialog;

    void SetUp() override { settings.EmailSoftware = 1; }
    void open(bool withHelp = false)
    {
        std::function<void(int)> help;
        if (withHelp)
            help = [this](int topic) { helpShown.push_back(topic); };
        dialog = std::make_unique<TdlgAdvancedSettings>(ui, settings, folders, help);
    }
    template <class W> W* find(const char* name) const
    {
        W* widget = dialog->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void press(QDialogButtonBox::StandardButton which) const
    {
        find<QDialogButtonBox>("btnsAdvancedSettings")->button(which)->click();
    }
    bool accepted() const { return dialog->result() == QDialog::Accepted; }
};

} // namespace

TEST_F(AdvancedSettings,
       DefaultInboxOnlyDisablesEverySenderControlAndOnlyAMailAccountMayChangeRetrieval)
{
    settings.RetrieveMethod = 0;
    open();
    const char* senderControls[] = {"lblSenderAddressMethod", "SenderAddressMethod",
                                    "UseRedemption", "AlwaysShowSenderError"};
    for (const char* name : senderControls)
        EXPECT_TRUE(find<QWidget>(name)->isEnabled()) << name;
    find<QComboBox>("RetrieveMethod")->setCurrentIndex(1);
    for (const char* name : senderControls)
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    find<QComboBox>("RetrieveMethod")->setCurrentIndex(0);
    EXPECT_TRUE(find<QWidget>("SenderAddressMethod")->isEnabled());

    find<QComboBox>("RetrieveMethod")->setCurrentIndex(1);
    find<QComboBox>("ContactRetrieveMethod")->setCurrentIndex(1);
    press(QDialogButtonBox::Ok);
    EXPECT_TRUE(accepted());
    EXPECT_EQ(settings.RetrieveMethod, 1);
    EXPECT_EQ(settings.ContactRetrieveMethod, 1);

    settings.EmailSoftware = 5;
    open();
    EXPECT_FALSE(find<QComboBox>("RetrieveMethod")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("ContactRetrieveMethod")->isEnabled());
    EXPECT_FALSE(find<QWidget>("SenderAddressMethod")->isEnabled());
}

TEST_F(AdvancedSettings, HeaderSenderMethodWithoutReadingHeadersKeepsTheDialogOpenAndStoresNothing)
{
    settings.SenderAddressMethod = 5;
    settings.BounceDays = 3;
    open();
    find<QSpinBox>("BounceDays")->setValue(9);
    find<QCheckBox>("UseRedemption")->setChecked(false);
    press(QDialogButtonBox::Ok);
    EXPECT_EQ(
        ui.texts(),
        QStringList{"You have selected the option not to read sender details from the message "
                    "headers, you will need to select a different method for retrieval of the "
                    "sender address."});
    EXPECT_FALSE(accepted());
    EXPECT_TRUE(settings.UseRedemption);
    EXPECT_EQ(settings.BounceDays, 3);

    find<QComboBox>("SenderAddressMethod")->setCurrentIndex(2);
    press(QDialogButtonBox::Ok);
    EXPECT_TRUE(accepted());
    EXPECT_EQ(settings.SenderAddressMethod, 2);
    EXPECT_FALSE(settings.UseRedemption);
    EXPECT_EQ(settings.BounceDays, 9);
}

TEST_F(AdvancedSettings, ExclusiveAccessAsksWhenTickedAndAnyChangeTellsOfTheRestart)
{
    settings.DBIsExclusive = true;
    open();
    find<QCheckBox>("DBIsExclusive")->setChecked(false);
    press(QDialogButtonBox::Ok);
    EXPECT_EQ(ui.texts(), QStringList{kRestart});
    EXPECT_FALSE(settings.DBIsExclusive);

    ui.shown.clear();
    open();
    find<QCheckBox>("DBIsExclusive")->setChecked(true);
    press(QDialogButtonBox::Ok); // the question is answered No
    EXPECT_EQ(ui.texts(), QStringList{kExclusiveQuestion});
    EXPECT_FALSE(settings.DBIsExclusive);

    ui.shown.clear();
    ui.answer(Ui::Answer::Yes);
    open();
    find<QCheckBox>("DBIsExclusive")->setChecked(true);
    press(QDialogButtonBox::Ok);
    EXPECT_EQ(ui.texts(), (QStringList{kExclusiveQuestion, kRestart}));
    EXPECT_TRUE(settings.DBIsExclusive);
}

TEST_F(AdvancedSettings, StatisticsBoxIsInvertedAndAnUntickedStaggerStoresNoPause)
{
    settings.LogManualEntries = true;
    settings.StaggerDelay = 30;
    open();
    EXPECT_FALSE(find<QCheckBox>("LogManualEntries")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkStagger")->isChecked());
    EXPECT_EQ(find<QSpinBox>("StaggerDelay")->value(), 30);
    find<QCheckBox>("LogManualEntries")->setChecked(true);
    find<QCheckBox>("chkStagger")->setChecked(false);
    press(QDialogButtonBox::Ok);
    EXPECT_FALSE(settings.LogManualEntries);
    EXPECT_EQ(settings.StaggerDelay, 0);

    open();
    EXPECT_FALSE(find<QCheckBox>("chkStagger")->isChecked());
    EXPECT_FALSE(find<QSpinBox>("StaggerDelay")->isEnabled());
    find<QCheckBox>("chkStagger")->setChecked(true);
    find<QSpinBox>("StaggerDelay")->setValue(12);
    press(QDialogButtonBox::Ok);
    EXPECT_EQ(settings.StaggerDelay, 12);
}

TEST_F(AdvancedSettings, EscapeStoresNothingAndHelpOpensItsTopicOnlyWhereThereIsHelp)
{
    open();
    EXPECT_FALSE(find<QDialogButtonBox>("btnsAdvancedSettings")
                     ->button(QDialogButtonBox::Help)
                     ->isEnabled());
    open(/*withHelp=*/true);
    press(QDialogButtonBox::Help);
    EXPECT_EQ(helpShown, std::vector<int>{13});
    find<QCheckBox>("OnlyScanSubject")->setChecked(true);
    find<QCheckBox>("chkStagger")->setChecked(true);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(settings.OnlyScanSubject);
    EXPECT_EQ(settings.StaggerDelay, 0);
}

TEST_F(AdvancedSettings, TheProfileEditedFromTheDialogIsKeptOnlyWhenTheDialogIsAccepted)
{
    const auto editProfile = [this](const QString& user) {
        QTimer::singleShot(0, [user] {
            QWidget* profile = QApplication::activeModalWidget();
            ASSERT_NE(profile, nullptr);
            EXPECT_EQ(profile->windowTitle(), "E-mail Software Login Profile");
            profile->findChild<QRadioButton*>("rdbProfile")->setChecked(true);
            profile->findChild<QLineEdit*>("ProfileName")->setText(user);
            profile->findChild<QDialogButtonBox*>("btnsProfile")
                ->button(QDialogButtonBox::Ok)
                ->click();
        });
        find<QPushButton>("btnProfiles")->click();
    };
    open();
    editProfile("dropped");
    press(QDialogButtonBox::Cancel);
    EXPECT_TRUE(settings.ProfileName.isEmpty());

    open();
    editProfile("listowner");
    press(QDialogButtonBox::Ok);
    EXPECT_EQ(settings.ProfileName, "listowner");
}
