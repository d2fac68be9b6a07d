#include "app/ui/GuiUi.h"
#include "settings/Settings.h"
#include "setup/ui/SetupWizardServices.h"
#include "setup/ui/TdlgSetupWizard.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kFixture = QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/thunderbird");
const QString kCancelQuestion = "Are you sure you want to cancel the setup of Corvanel?";
const QString kFirstPage = "Corvanel Setup Wizard";
const QString kFolderPage = "Default Scanning Folder:";
const QString kMailSettingsPage = "Mail Settings (Optional)";

QWidget* wizard()
{
    return QApplication::activeModalWidget();
}
template <class W> W* field(const char* name)
{
    return wizard() ? wizard()->findChild<W*>(name) : nullptr;
}
void click(const char* name)
{
    field<QPushButton>(name)->click();
}
QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

struct SetupWizard : ::testing::Test {
    Settings settings;
    ScriptedUi ui;
    QTemporaryDir home;
    QStringList prompts;
    QList<int> topics;
    SetupWizardServices services{ui,
                                 [this](const QString& prompt) {
                                     prompts << prompt;
                                     return QString("user@imap.example.test//INBOX//Lists");
                                 },
                                 [this](int topic) { topics << topic; }, home.filePath("no-thunderbird")};

    bool run() { return TdlgSetupWizard::run(nullptr, services, settings); }
    int cancelQuestions() const { return int(ui.texts().count(kCancelQuestion)); }
};

}  // namespace

TEST_F(SetupWizard, AnotherProgramGoesStraightToTheMailSettingsAndLeavesTheMailAccountSendMethods)
{
    settings.EmailMethod = 1;    // CDO
    settings.AltSendMethod = 2;  // OLE
    settings.SpellChecking = true;
    QTimer::singleShot(0, [] {
        EXPECT_EQ(wizard()->windowTitle(), kFirstPage);
        EXPECT_TRUE(field<QRadioButton>("rdbMailAccount")->isChecked());
        field<QRadioButton>("rdbOtherSoftware")->setChecked(true);
        click("btnNext");
        EXPECT_EQ(wizard()->windowTitle(), kMailSettingsPage);
        click("btnPrevious");
        EXPECT_EQ(wizard()->windowTitle(), kFirstPage);
        click("btnNext");
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(settings.EmailSoftware, 5);
    EXPECT_EQ(settings.RetrieveMethod, 1);
    EXPECT_EQ(settings.ContactRetrieveMethod, 1);
    EXPECT_FALSE(settings.SpellChecking);
    EXPECT_EQ(settings.EmailMethod, 0);
    EXPECT_EQ(settings.AltSendMethod, 0);
    EXPECT_TRUE(settings.MailingListFolder.isEmpty());

    // Run again, the same choice already stored: the send methods are the person's own now.
    settings.EmailMethod = 2;
    QTimer::singleShot(0, [] {
        EXPECT_TRUE(field<QRadioButton>("rdbOtherSoftware")->isChecked());
        click("btnNext");
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(settings.EmailMethod, 2);
}

TEST_F(SetupWizard, TheMailAccountAsksForItsFolderAndWarnsWhenNoneIsGiven)
{
    QTimer::singleShot(0, [this] {
        click("btnNext");
        EXPECT_EQ(wizard()->windowTitle(), kFolderPage);
        click("btnNext");  // no folder; the question's "No" stays here
        EXPECT_EQ(wizard()->windowTitle(), kFolderPage);
        emit field<QLabel>("lblRulesHelp")->linkActivated("#");
        click("btnFolder");
        EXPECT_EQ(field<QLineEdit>("edtFolder")->text(), "user@imap.example.test//INBOX//Lists");
        click("btnNext");
        EXPECT_EQ(wizard()->windowTitle(), kMailSettingsPage);
        click("btnPrevious");
        EXPECT_EQ(wizard()->windowTitle(), kFolderPage);
        click("btnNext");
        click("btnHelp");
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(ui.texts(), QStringList({"You have not specified the folder CVN should use in your mail account to "
                                       "retrieve Mailing List entries.  Are you sure you want to continue?"}));
    EXPECT_EQ(prompts, QStringList({"Please select the mail folder that CVN should scan for new mailing list "
                                    "messages (when you select 'File|Check for New Entries')"}));
    EXPECT_EQ(topics, QList<int>({3, 10}));
    EXPECT_EQ(settings.MailingListFolder, "user@imap.example.test//INBOX//Lists");
    EXPECT_EQ(settings.EmailSoftware, 1);
    EXPECT_EQ(settings.RetrieveMethod, 0);
    EXPECT_EQ(settings.ContactRetrieveMethod, 0);
    EXPECT_TRUE(settings.SpellChecking);

    // Without a help viewer there is nothing to press.
    services.showHelp = nullptr;
    QTimer::singleShot(0, [] {
        EXPECT_FALSE(field<QPushButton>("btnHelp")->isEnabled());
        click("btnCancel");
    });
    run();
}

TEST_F(SetupWizard, CancelAsksOnlyWhileNoSoftwareIsChosenAndChangesNothing)
{
    settings.EmailMethod = 1;
    const Settings before = settings;
    QTimer::singleShot(0, [this] {
        field<QRadioButton>("rdbOtherSoftware")->setChecked(true);
        click("btnCancel");
        ASSERT_NE(wizard(), nullptr);  // "No": the wizard stays
        QTest::keyClick(wizard(), Qt::Key_Escape);
        ASSERT_NE(wizard(), nullptr);
        EXPECT_FALSE(wizard()->close());
        EXPECT_EQ(cancelQuestions(), 3);
        // The program closing (a logout, SIGTERM) cancels its dialogs without asking.
        GuiUi().dismissAll();
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(cancelQuestions(), 3);
    EXPECT_EQ(settings.EmailSoftware, before.EmailSoftware);
    EXPECT_EQ(settings.RetrieveMethod, before.RetrieveMethod);
    EXPECT_EQ(settings.SpellChecking, before.SpellChecking);
    EXPECT_EQ(settings.EmailMethod, before.EmailMethod);

    ui.answer(Ui::Answer::Yes);
    QTimer::singleShot(0, [] { click("btnCancel"); });
    EXPECT_FALSE(run());
    EXPECT_EQ(cancelQuestions(), 4);

    settings.EmailSoftware = 1;
    QTimer::singleShot(0, [] { click("btnCancel"); });
    EXPECT_FALSE(run());
    EXPECT_EQ(cancelQuestions(), 4);
}

TEST_F(SetupWizard, KnownMailSettingsPassThePageOverAndTheChoiceIsStored)
{
    settings.SMTPEmail = "owner@example.test";
    settings.SMTPName = "List Owner";
    settings.MailingListFolder = "Local Folders//Inbox";
    services.thunderbirdFolder = kFixture;  // its accounts are not wanted now
    QTimer::singleShot(0, [] { click("btnNext"); });  // straight to page 3, which finishes by itself
    EXPECT_TRUE(run());
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(settings.EmailSoftware, 1);
    EXPECT_EQ(settings.RetrieveMethod, 0);
    EXPECT_EQ(settings.SMTPEmail, "owner@example.test");
    EXPECT_EQ(settings.SMTPName, "List Owner");
    EXPECT_TRUE(settings.SMTPHost.isEmpty());
    EXPECT_EQ(settings.MailingListFolder, "Local Folders//Inbox");
}

TEST_F(SetupWizard, ThunderbirdsDefaultAccountFillsTheMailSettings)
{
    settings.EmailSoftware = 5;
    services.thunderbirdFolder = kFixture;
    QTimer::singleShot(0, [] {
        click("btnNext");
        auto* accounts = field<QComboBox>("cmbAccounts");
        EXPECT_TRUE(accounts->isVisible());
        EXPECT_EQ(itemsOf(accounts), QStringList({"ann@example.test", "Lists account", "Local Folders"}));
        EXPECT_EQ(accounts->currentText(), "Lists account");
        EXPECT_EQ(field<QLineEdit>("edtReplyName")->text(), QString::fromUtf8("Zo\xC3\xAB Keeper"));
        EXPECT_EQ(field<QLineEdit>("edtReplyEmail")->text(), "zoe@lists.example.test");
        EXPECT_TRUE(field<QLineEdit>("edtSMTPServer")->isVisible());
        EXPECT_EQ(field<QLineEdit>("edtSMTPServer")->text(), "mail.lists.example.test");
        EXPECT_EQ(field<QLineEdit>("edtSMTPPort")->text(), "587");
        // What the person types is not read over when they look back at a page.
        field<QLineEdit>("edtReplyName")->setText("Zoe K.");
        click("btnPrevious");
        click("btnNext");
        EXPECT_EQ(field<QLineEdit>("edtReplyName")->text(), "Zoe K.");
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(settings.SMTPName, "Zoe K.");
    EXPECT_EQ(settings.SMTPEmail, "zoe@lists.example.test");
    EXPECT_EQ(settings.SMTPHost, "mail.lists.example.test");
    EXPECT_EQ(settings.SMTPPort, 587);
}

TEST_F(SetupWizard, OnlyTheServerFieldsShownAreWrittenAndAnUnreadableProfileIsSaidSo)
{
    settings.EmailSoftware = 5;
    settings.SMTPHost = "kept.example.test";
    settings.SMTPPort = 2525;
    writeTestFile(home.filePath("tb/profiles.ini"), "[Profile0]\nIsRelative=1\nPath=p\n");
    writeTestFile(home.filePath("tb/p/prefs.js"), "user_pref(\"mail.accountmanager.accounts\", \"a1\");\n"
                                                  "user_pref(\"mail.account.a1.identities\", \"i1\");\n"
                                                  "user_pref(\"mail.account.a1.server\", \"s1\");\n"
                                                  "user_pref(\"mail.server.s1.name\", \"Home\");\n"
                                                  "user_pref(\"mail.identity.i1.fullName\", \"Home User\");\n"
                                                  "user_pref(\"mail.identity.i1.useremail\", \"home@example.test\");\n");
    services.thunderbirdFolder = home.filePath("tb");
    QTimer::singleShot(0, [] {
        click("btnNext");
        EXPECT_EQ(field<QComboBox>("cmbAccounts")->currentText(), "Home");
        EXPECT_EQ(field<QLineEdit>("edtReplyName")->text(), "Home User");
        EXPECT_FALSE(field<QLineEdit>("edtSMTPServer")->isVisible());
        EXPECT_FALSE(field<QLineEdit>("edtSMTPPort")->isVisible());
        EXPECT_FALSE(field<QLabel>("lblSMTPServer")->isVisible());
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(settings.SMTPName, "Home User");
    EXPECT_EQ(settings.SMTPEmail, "home@example.test");
    EXPECT_EQ(settings.SMTPHost, "kept.example.test");
    EXPECT_EQ(settings.SMTPPort, 2525);

    settings.SMTPEmail.clear();
    writeTestFile(home.filePath("tb/p/prefs.js"), "user_pref(\"mail.accountmanager.accounts\" \"a1\");\n");
    QTimer::singleShot(0, [] {
        click("btnNext");
        EXPECT_FALSE(field<QComboBox>("cmbAccounts")->isVisible());
        EXPECT_TRUE(field<QLineEdit>("edtReplyEmail")->isEnabled());
        field<QLineEdit>("edtReplyEmail")->setText("typed@example.test");
        click("btnFinish");
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(ui.texts(), QStringList({"An error was encountered acquiring your e-mail settings"}));
    EXPECT_EQ(settings.SMTPEmail, "typed@example.test");
    EXPECT_EQ(settings.SMTPHost, "kept.example.test");
}
