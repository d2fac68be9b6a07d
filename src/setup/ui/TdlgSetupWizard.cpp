#include "setup/ui/TdlgSetupWizard.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "setup/ui/SetupWizardServices.h"
#include "util/ui/WindowRoutines.h"

#include <QCloseEvent>
#include <algorithm>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

enum Page { kSoftwarePage, kFolderPage, kMailSettingsPage };
const char* const kCaptions[] = {"Corvanel Setup Wizard", "Default Scanning Folder:", "Mail Settings (Optional)"};

constexpr int kMailAccountSoftware = 1;
constexpr int kOtherSoftware = 5;
constexpr int kDefaultSmtpPort = 25;
constexpr int kWizardTopic = 10;
constexpr int kRulesTopic = 3;
constexpr int kSmtpSettingsTopic = 9;
// Long enough for page 3 to paint before the wizard closes over it.
constexpr int kPassOverMs = 70;

// The send methods that need the mail account: CDO and OLE.
bool needsMailAccount(int sendMethod)
{
    return sendMethod == 1 || sendMethod == 2;
}

int portFromText(const QString& text)
{
    bool number = false;
    const int port = text.trimmed().toInt(&number);
    return number && settingKey("SMTPPort")->rule.accepts(port) ? port : kDefaultSmtpPort;
}

}  // namespace

TdlgSetupWizard::TdlgSetupWizard(SetupWizardServices& services, Settings& settings, QWidget* parent)
    : QDialog(parent), services_(services), settings_(settings)
{
    setObjectName("dlgSetupWizard");
    auto* layout = new QVBoxLayout(this);
    pgcWizard_ = named<QTabWidget>("pgcWizard", this);
    pgcWizard_->addTab(makeSoftwarePage(), QString());
    pgcWizard_->addTab(makeFolderPage(), QString());
    pgcWizard_->addTab(makeMailSettingsPage(), QString());
    pgcWizard_->tabBar()->hide();
    layout->addWidget(pgcWizard_);

    auto* buttons = new QHBoxLayout;
    auto* help = named<QPushButton>("btnHelp", "Help", this);
    help->setEnabled(bool(services_.showHelp));
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp(kWizardTopic); });
    buttons->addWidget(help);
    buttons->addStretch();
    btnPrevious_ = named<QPushButton>("btnPrevious", "< Previous", this);
    connect(btnPrevious_, &QPushButton::clicked, this, &TdlgSetupWizard::btnPreviousClick);
    btnNext_ = named<QPushButton>("btnNext", "Next >", this);
    connect(btnNext_, &QPushButton::clicked, this, &TdlgSetupWizard::btnNextClick);
    btnFinish_ = named<QPushButton>("btnFinish", "Finish", this);
    connect(btnFinish_, &QPushButton::clicked, this, &TdlgSetupWizard::btnFinishClick);
    auto* cancel = named<QPushButton>("btnCancel", "Cancel", this);
    connect(cancel, &QPushButton::clicked, this, &TdlgSetupWizard::btnCancelClick);
    for (QPushButton* b : {btnPrevious_, btnNext_, btnFinish_, cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    showPage(kSoftwarePage);
}

bool TdlgSetupWizard::run(QWidget* parent, SetupWizardServices& services, Settings& settings)
{
    TdlgSetupWizard wizard(services, settings, parent);
    return wizard.exec() == QDialog::Accepted;
}

QWidget* TdlgSetupWizard::makeSoftwarePage()
{
    auto* page = named<QWidget>("tabSoftware");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(named<QLabel>("lblSoftware", "Which e-mail software will you use with Corvanel?", page));
    rdbMailAccount_ = named<QRadioButton>(
        "rdbMailAccount", "I will use my mail account (IMAP or Local Folders) with Corvanel", page);
    rdbOtherSoftware_ = named<QRadioButton>(
        "rdbOtherSoftware", "I will be using a different e-mail program (e.g. Thunderbird, Evolution)", page);
    (settings_.EmailSoftware == kOtherSoftware ? rdbOtherSoftware_ : rdbMailAccount_)->setChecked(true);
    layout->addWidget(rdbMailAccount_);
    layout->addWidget(rdbOtherSoftware_);
    layout->addStretch();
    return page;
}

QWidget* TdlgSetupWizard::makeFolderPage()
{
    auto* page = named<QWidget>("tabFolder");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(named<QLabel>(
        "lblFolder", "The mail folder that holds your mailing list's subscribe and unsubscribe messages:", page));
    auto* row = new QHBoxLayout;
    edtFolder_ = named<QLineEdit>("edtFolder", settings_.MailingListFolder, page);
    btnFolder_ = named<QPushButton>("btnFolder", "Browse...", page);
    btnFolder_->setEnabled(bool(services_.pickFolder));
    connect(btnFolder_, &QPushButton::clicked, this, &TdlgSetupWizard::btnFolderClick);
    row->addWidget(edtFolder_);
    row->addWidget(btnFolder_);
    layout->addLayout(row);
    layout->addWidget(makeHelpLink("lblRulesHelp", "Setting rules in your mail account", kRulesTopic));
    layout->addStretch();
    return page;
}

QWidget* TdlgSetupWizard::makeMailSettingsPage()
{
    auto* page = named<QWidget>("tabMailSettings");
    auto* grid = new QGridLayout(page);
    lblAccount_ = named<QLabel>("lblAccount", "Account:", page);
    cmbAccounts_ = named<QComboBox>("cmbAccounts", page);
    connect(cmbAccounts_, &QComboBox::currentIndexChanged, this, &TdlgSetupWizard::loadAccount);
    edtReplyName_ = named<QLineEdit>("edtReplyName", page);
    edtReplyEmail_ = named<QLineEdit>("edtReplyEmail", page);
    lblSMTPServer_ = named<QLabel>("lblSMTPServer", "SMTP Server:", page);
    edtSMTPServer_ = named<QLineEdit>("edtSMTPServer", page);
    lblSMTPPort_ = named<QLabel>("lblSMTPPort", "SMTP Port:", page);
    edtSMTPPort_ = named<QLineEdit>("edtSMTPPort", page);
    const std::pair<QWidget*, QWidget*> rows[] = {
        {lblAccount_, cmbAccounts_},
        {named<QLabel>("lblReplyName", "Reply Name:", page), edtReplyName_},
        {named<QLabel>("lblReplyEmail", "Reply E-mail:", page), edtReplyEmail_},
        {lblSMTPServer_, edtSMTPServer_},
        {lblSMTPPort_, edtSMTPPort_},
    };
    int r = 0;
    for (const auto& [label, field] : rows) {
        grid->addWidget(label, r, 0);
        grid->addWidget(field, r++, 1);
    }
    grid->addWidget(makeHelpLink("lblSMTPHelp", "Obtaining your SMTP Settings", kSmtpSettingsTopic), r++, 0, 1, 2);
    grid->setRowStretch(r, 1);
    lblAccount_->hide();
    cmbAccounts_->hide();
    showServer(false);
    return page;
}

QLabel* TdlgSetupWizard::makeHelpLink(const QString& name, const QString& text, int topic)
{
    auto* link = named<QLabel>(name, "<a href=\"#\">" + text.toHtmlEscaped() + "</a>", this);
    link->setEnabled(bool(services_.showHelp));
    connect(link, &QLabel::linkActivated, this, [this, topic] {
        if (services_.showHelp)
            services_.showHelp(topic);
    });
    return link;
}

void TdlgSetupWizard::showPage(int index)
{
    pgcWizard_->setCurrentIndex(index);
    setWindowTitle(kCaptions[index]);
    btnPrevious_->setEnabled(index != kSoftwarePage);
    btnNext_->setEnabled(index != kMailSettingsPage);
    btnFinish_->setEnabled(index == kMailSettingsPage);
    (index == kMailSettingsPage ? btnFinish_ : btnNext_)->setDefault(true);
    if (index == kMailSettingsPage)
        mailSettingsShown();
}

bool TdlgSetupWizard::mailAccountChosen() const
{
    return rdbMailAccount_->isChecked();
}

bool TdlgSetupWizard::folderPageWanted() const
{
    return mailAccountChosen() && settings_.MailingListFolder.isEmpty();
}

void TdlgSetupWizard::btnNextClick()
{
    switch (pgcWizard_->currentIndex()) {
    case kSoftwarePage:
        showPage(folderPageWanted() ? kFolderPage : kMailSettingsPage);
        break;
    case kFolderPage:
        if (mailAccountChosen() && edtFolder_->text().trimmed().isEmpty()
            && !services_.ui.askYesNo("You have not specified the folder CVN should use in your mail account to "
                                      "retrieve Mailing List entries.  Are you sure you want to continue?"))
            return;
        showPage(kMailSettingsPage);
        break;
    }
}

void TdlgSetupWizard::btnPreviousClick()
{
    switch (pgcWizard_->currentIndex()) {
    case kFolderPage: showPage(kSoftwarePage); break;
    case kMailSettingsPage: showPage(folderPageWanted() ? kFolderPage : kSoftwarePage); break;
    }
}

void TdlgSetupWizard::mailSettingsShown()
{
    if (!settings_.SMTPEmail.isEmpty()) {
        // The mail settings are known already: the page is passed over. A person
        // who went back meanwhile is not closed on.
        QTimer::singleShot(kPassOverMs, this, [this] {
            if (pgcWizard_->currentIndex() == kMailSettingsPage)
                btnFinishClick();
        });
        return;
    }
    // Read once, so going back and forth keeps what the person typed.
    if (accountsRead_)
        return;
    accountsRead_ = true;
    accounts_ = readThunderbirdAccounts(services_.thunderbirdFolder);
    if (!accounts_.problem.isEmpty())
        services_.ui.inform("An error was encountered acquiring your e-mail settings");
    if (accounts_.accounts.isEmpty())
        return;
    lblAccount_->show();
    cmbAccounts_->show();
    for (const MailAccountDetails& account : accounts_.accounts)
        cmbAccounts_->addItem(account.name);
    cmbAccounts_->setCurrentIndex(-1);  // so that the choice below always loads
    cmbAccounts_->setCurrentIndex(std::max(accounts_.defaultIndex, 0));
}

void TdlgSetupWizard::loadAccount(int index)
{
    if (index < 0 || index >= accounts_.accounts.size())
        return;
    const MailAccountDetails& account = accounts_.accounts[index];
    edtReplyName_->setText(account.fullName);
    edtReplyEmail_->setText(account.email);
    edtSMTPServer_->setText(account.smtpHost);
    edtSMTPPort_->setText(QString::number(account.smtpPort));
    showServer(!edtSMTPServer_->text().isEmpty());
}

void TdlgSetupWizard::showServer(bool shown)
{
    serverShown_ = shown;
    for (QWidget* w : std::initializer_list<QWidget*>{lblSMTPServer_, edtSMTPServer_, lblSMTPPort_, edtSMTPPort_})
        w->setVisible(shown);
}

void TdlgSetupWizard::btnFolderClick()
{
    const QString folder = services_.pickFolder(
        "Please select the mail folder that CVN should scan for new mailing list messages (when you select "
        "'File|Check for New Entries')");
    if (!folder.isEmpty())
        edtFolder_->setText(folder);
}

void TdlgSetupWizard::btnFinishClick()
{
    Settings& s = settings_;
    const int software = mailAccountChosen() ? kMailAccountSoftware : kOtherSoftware;
    if (software != s.EmailSoftware) {
        s.EmailSoftware = software;
        const bool mailAccount = software == kMailAccountSoftware;
        s.SpellChecking = mailAccount;
        s.RetrieveMethod = mailAccount ? 0 : 1;
        s.ContactRetrieveMethod = mailAccount ? 0 : 1;
        if (!mailAccount) {
            for (int* method : {&s.EmailMethod, &s.AltSendMethod})
                if (needsMailAccount(*method))
                    *method = 0;
        }
    }
    const auto copyIfFilled = [](const QLineEdit* field, QString& setting) {
        if (!field->text().trimmed().isEmpty())
            setting = field->text().trimmed();
    };
    copyIfFilled(edtFolder_, s.MailingListFolder);
    copyIfFilled(edtReplyEmail_, s.SMTPEmail);
    copyIfFilled(edtReplyName_, s.SMTPName);
    if (serverShown_) {
        copyIfFilled(edtSMTPServer_, s.SMTPHost);
        if (!edtSMTPPort_->text().trimmed().isEmpty())
            s.SMTPPort = portFromText(edtSMTPPort_->text());
    }
    accept();
}

bool TdlgSetupWizard::cancelConfirmed()
{
    return settings_.EmailSoftware >= 0
           || services_.ui.askYesNo("Are you sure you want to cancel the setup of Corvanel?");
}

void TdlgSetupWizard::btnCancelClick()
{
    if (cancelConfirmed())
        reject();
}

void TdlgSetupWizard::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TdlgSetupWizard::closeEvent(QCloseEvent* event)
{
    if (!isVisible() || cancelConfirmed()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
}
