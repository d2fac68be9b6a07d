#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "subscriptions/ListFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {

using Answer = Ui::Answer;

const QString kInboxOnlyNotice =
    "You are not using the Mail Account Integration option, so only the default folder can be scanned.";

// The options dialog over a real database folder, with the application's commands
// recorded; what OK saves is kept.
class OptionsSettingsPages : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        settings.RetrieveMethod = 0;
        settings.EmailMethod = 0;
        settings.AltSendMethod = 0;
        services = std::make_unique<OptionsServices>(OptionsServices{
            ui, *logs, [this](Settings& s) { return ListContext{s, *logs, ui, *db, *statistics}; },
            [this](const QString& prompt) {
                prompts << prompt;
                return QString("Local Folders//Picked");
            },
            {}, {},
            [this](const Settings& s) {
                saved = s;
                return true;
            },
            {}, {}, {}});
    }

    Tdlgoptions& open()
    {
        dialog = std::make_unique<Tdlgoptions>(*services, settings);
        return *dialog;
    }

    template <class W> W* find(const QString& name)
    {
        W* widget = dialog->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    void pressOk() { find<QPushButton>("btnOptionsOK")->click(); }
    QString currentPage() { return find<QTabWidget>("pgOptions")->currentWidget()->windowTitle(); }

    std::unique_ptr<OptionsServices> services;
    std::unique_ptr<Tdlgoptions> dialog;
    std::optional<Settings> saved;
    QStringList prompts;
};

template <class W> W* inModal(const char* name)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal->findChild<W*>(name) : nullptr;
}

void pressInModal(QDialogButtonBox::StandardButton which)
{
    for (auto* box : QApplication::activeModalWidget()->findChildren<QDialogButtonBox*>())
        if (QPushButton* b = box->button(which))
            b->click();
}

}  // namespace

TEST_F(OptionsSettingsPages, OkRefusesWebFormsAndUserSendingThatCannotWorkAndShowsThePageAtFault)
{
    settings.MailingListFolder = "Local Folders//Requests";
    open();
    find<QCheckBox>("ProcessWebForms")->setChecked(true);
    find<QLineEdit>("WebFormSubject")->clear();
    pressOk();
    EXPECT_TRUE(ui.sawText("You have selected the option to have CVN process web forms, but have not entered the "
                           "subject text so that it can identify relevant messages."));
    EXPECT_FALSE(saved);

    find<QLineEdit>("WebFormSubject")->setText("Join form");
    find<QCheckBox>("UserSending")->setChecked(true);
    pressOk();
    EXPECT_TRUE(ui.sawText("You have set the option to allow users to send messages to your list, but have not "
                           "specified which folder to scan!"));
    EXPECT_EQ(currentPage(), "User Sending");
    EXPECT_FALSE(saved);

    find<QTabWidget>("pgOptions")->setCurrentIndex(0);
    find<QLineEdit>("UserSendingFolder")->setText("Local Folders//Requests");
    find<QRadioButton>("rdbForwardAll")->setChecked(true);
    pressOk();
    EXPECT_TRUE(ui.sawText("You have set the option to forward all user messages in the folder 'Local "
                           "Folders//Requests'.  However this is the same folder that you have selected to scan "
                           "for Subscribe/Unsuscribe messages.  This would cause all Subscribe/Unsubscribe "
                           "messages to be forwarded to your mailing list.  Please select a new folder!"));
    EXPECT_EQ(currentPage(), "User Sending");
    EXPECT_FALSE(saved);

    find<QPushButton>("btnSelectUserSendingFolder")->click();
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_TRUE(saved->ProcessWebForms);
    EXPECT_EQ(saved->WebFormSubject, "Join form");
    EXPECT_TRUE(saved->UserSending);
    EXPECT_EQ(saved->UserSendingFolder, "Local Folders//Picked");
    EXPECT_TRUE(saved->ForwardAll);
    // Untouched controls give back what they were given, also where a control could not show it.
    EXPECT_EQ(saved->ChokeDownload, 0);
    EXPECT_EQ(saved->WebForms, settings.WebForms);
    EXPECT_EQ(saved->SubAck, settings.SubAck);
}

TEST_F(OptionsSettingsPages, ChoosingTheDefaultInboxOnlyTurnsAMoveIntoDeletionAndForwardingAllIntoBySubject)
{
    settings.MailingListFolder = "Default Folder (Inbox)";
    settings.MoveFolder = "Local Folders//Done";
    settings.AfterProcess = "Move";
    settings.ForwardAll = true;
    services->advancedSettings = [](Settings& s) { s.RetrieveMethod = 1; };
    open();
    // With folder integration the default folder's name stands for no folder chosen.
    EXPECT_EQ(find<QLineEdit>("MailingListFolder")->text(), "");
    EXPECT_TRUE(find<QRadioButton>("rdbAfterProcessMove")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("rdbForwardAll")->isChecked());

    find<QPushButton>("btnAdvancedOptions")->click();
    EXPECT_TRUE(find<QRadioButton>("rdbAfterProcessDelete")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("rdbAfterProcessMove")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("MoveFolder")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("btnSelectMoveFolder")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("rdbForwardSubject")->isChecked());
    EXPECT_EQ(find<QLineEdit>("MailingListFolder")->text(), "Default Folder (Inbox)");
    EXPECT_EQ(find<QLineEdit>("UserSendingFolder")->text(), "Default Folder (Inbox)");

    find<QPushButton>("btnSelectMailingListFolder")->click();
    EXPECT_TRUE(ui.sawText(kInboxOnlyNotice));
    EXPECT_TRUE(prompts.isEmpty());

    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->RetrieveMethod, 1);
    EXPECT_EQ(saved->AfterProcess, "Delete");
    EXPECT_FALSE(saved->ForwardAll);
}

TEST_F(OptionsSettingsPages, AcknowledgementOfManualEntriesIsOfferedAsNotSendingThem)
{
    settings.SubAcknowledgement = true;
    settings.AckManualEntries = false;
    open();
    auto* doNotSend = find<QCheckBox>("AckManualEntries");
    EXPECT_TRUE(doNotSend->isChecked());
    EXPECT_TRUE(doNotSend->isEnabled());
    EXPECT_FALSE(find<QPlainTextEdit>("UnSubAck")->isEnabled());
    EXPECT_EQ(find<QPlainTextEdit>("SubAck")->toPlainText(), settings.SubAck.join('\n'));

    doNotSend->setChecked(false);
    find<QPlainTextEdit>("SubAck")->setPlainText("Done:\n\n%RESULT%\n");
    find<QCheckBox>("SubAcknowledgement")->setChecked(false);
    EXPECT_FALSE(doNotSend->isEnabled());
    EXPECT_FALSE(find<QWidget>("lblResultNote")->isEnabled());
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->AckManualEntries);
    EXPECT_FALSE(saved->SubAcknowledgement);
    EXPECT_EQ(saved->SubAck, QStringList({"Done:", "", "%RESULT%", ""}));
}

TEST_F(OptionsSettingsPages, EmptyGroupsAreStoredAsTheDefaultGroup)
{
    settings.defaultcategory = "";
    settings.AlternativeCategory = "";
    open();
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->defaultcategory, "Default");
    EXPECT_EQ(saved->AlternativeCategory, "Default");
}

TEST_F(OptionsSettingsPages, LeavingTheDefaultToFieldWithAnUnlikelyAddressAsksAndNoClearsIt)
{
    open();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->showPage("Sending Mail");
    auto* to = find<QLineEdit>("DefaultToAddress");
    auto* elsewhere = find<QCheckBox>("SendLog");
    const auto leaveWith = [&](const QString& text) {
        to->setFocus(Qt::TabFocusReason);
        to->setText(text);
        elsewhere->setFocus(Qt::TabFocusReason);
    };
    const QString question = "The To: address that you specified, owner at example.test, does not appear to be "
                             "valid.  Are you sure you want to use it?";
    ui.answer(Answer::No);
    leaveWith("owner at example.test");
    EXPECT_TRUE(ui.sawText(question));
    EXPECT_EQ(to->text(), "");

    ui.answer(Answer::Yes);
    leaveWith("owner at example.test");
    EXPECT_EQ(to->text(), "owner at example.test");

    const qsizetype asked = ui.shown.size();
    leaveWith("owner@example.test");
    EXPECT_EQ(ui.shown.size(), asked);
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->DefaultToAddress, "owner@example.test");
}

TEST_F(OptionsSettingsPages, OnlyTheSmtpClientAndTheRelayServerHaveSettingsToOpen)
{
    settings.EmailSoftware = 5;
    settings.SMTPHost = "mail.example.test";
    settings.SMTPEmail = "owner@example.test";
    settings.AltSendMethod = 4;
    settings.MessageRecipientCount = 1;
    open();
    auto* mainSettings = find<QPushButton>("btnEmailMethodSettings");
    EXPECT_FALSE(mainSettings->isEnabled());
    // Without the relay server's settings dialog there is nothing to open for it.
    EXPECT_FALSE(find<QPushButton>("btnAltSendMethodSettings")->isEnabled());

    QTimer::singleShot(0, [] {
        inModal<QRadioButton>("rdbSMTP")->setChecked(true);
        pressInModal(QDialogButtonBox::Ok);
    });
    find<QPushButton>("btnSelectEmailMethod")->click();
    EXPECT_EQ(find<QLineEdit>("edtEmailMethod")->text(), "Use SMTP to send via your Mail Server");
    ASSERT_TRUE(mainSettings->isEnabled());
    QString hostShown;
    QTimer::singleShot(0, [&] {
        hostShown = inModal<QLineEdit>("SMTPHost")->text();
        inModal<QLineEdit>("SMTPHost")->setText("smtp.example.test");
        pressInModal(QDialogButtonBox::Ok);
    });
    mainSettings->click();
    EXPECT_EQ(hostShown, "mail.example.test");
    EXPECT_EQ(dialog->edited().EmailMethod, 3);
    EXPECT_EQ(dialog->edited().SMTPHost, "smtp.example.test");

    int relayOpened = 0;
    services->relaySettings = [&](Settings& s) {
        ++relayOpened;
        s.DNSTimeOut = 30;
        return true;
    };
    open();
    ASSERT_TRUE(find<QPushButton>("btnAltSendMethodSettings")->isEnabled());
    find<QPushButton>("btnAltSendMethodSettings")->click();
    EXPECT_EQ(relayOpened, 1);
    EXPECT_TRUE(find<QRadioButton>("rdbSeparateMessages")->isChecked());
    find<QRadioButton>("rdbHiddenRecipients")->setChecked(true);
    EXPECT_EQ(find<QSpinBox>("MessageRecipientCount")->value(), 250);
    find<QSpinBox>("MessageRecipientCount")->setValue(100);
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->DNSTimeOut, 30);
    EXPECT_EQ(saved->MessageRecipientCount, 100);
    EXPECT_EQ(saved->AltSendMethod, 4);
}
