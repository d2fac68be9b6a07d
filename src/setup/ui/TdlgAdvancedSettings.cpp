#include "setup/ui/TdlgAdvancedSettings.h"

#include "base/Ui.h"
#include "setup/ui/TdlgProfile.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 13;
constexpr int kDefaultInboxOnly = 1;
constexpr int kFromHeader = 5; // the sender method that reads the message headers
constexpr int kMailAccount = 1;

const QStringList kSenderMethods{"None: Only process if email found in Sender Name",
                                 "Dynamically select Reply-To or From",
                                 "Use the reply address (Reply-To, else From)",
                                 "Use the Reply-To header only",
                                 "Use the envelope sender (Return-Path)",
                                 "Use the From header (RECOMMENDED)"};

} // namespace

TdlgAdvancedSettings::TdlgAdvancedSettings(Ui& ui, Settings& settings, const Folders& folders,
                                           std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings), draft_(settings), folders_(folders),
      showHelp_(std::move(showHelp))
{
    setObjectName("dlgAdvancedSettings");
    setWindowTitle("Advanced Settings");
    auto* layout = new QVBoxLayout(this);
    auto* methods = new QFormLayout;
    cmbRetrieve_ = bindings_.choice("RetrieveMethod",
                                    {"Mail Account Integration (IMAP or Local Folders)",
                                     "Default Inbox Only (Supported by most E-mail Software)"});
    QComboBox* contacts = bindings_.choice("ContactRetrieveMethod",
                                           {"Contacts Folders", "vCard Address Book", "None"});
    methods->addRow("Message Retrieval Method:", cmbRetrieve_);
    methods->addRow("Contact Retrieval Method:", contacts);
    layout->addLayout(methods);
    layout->addWidget(makeIntegrationGroup());

    layout->addWidget(
        bindings_.check("AlwaysResolveAddresses", "Always resolve outgoing e-mail addresses"));
    layout->addWidget(bindings_.check(
        "SpellChecking",
        "Integrate with the spelling dictionaries for spell checking functionality"));
    chkExclusive_ = bindings_.check("DBIsExclusive", "CVN has exclusive access to its database");
    layout->addWidget(chkExclusive_);
    layout->addWidget(bindings_.check(
        "LogManualEntries", "Do not include manually entered or imported addresses in statistics",
        /*inverted=*/true));
    layout->addWidget(bindings_.check(
        "OnlyScanSubject", "Only check subject line for Subscribe/Unsubscribe commands"));
    layout->addWidget(bindings_.check(
        "Check4InternetConnection", "When sending with via SMTP check for an Internet Connection"));
    layout->addWidget(bindings_.check(
        "AlwaysStartInInfo", "Always display the Database Information page on Corvanel start-up"));
    auto* bounce = new QLabel(
        "Sometimes a message to an erroneous e-mail address can generate multiple 'Bounce' "
        "messages.  Specify the number of days in which multiple bounces will be ignored.");
    bounce->setWordWrap(true);
    layout->addWidget(bounce);
    layout->addWidget(bindings_.number("BounceDays"));
    layout->addWidget(makeStaggerRow());

    auto* buttons = named<QDialogButtonBox>(
        "btnsAdvancedSettings",
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    QPushButton* profiles =
        buttons->addButton("E-mail Login Profiles...", QDialogButtonBox::ActionRole);
    profiles->setObjectName("btnProfiles");
    connect(profiles, &QPushButton::clicked, this,
            [this] { TdlgProfile::edit(this, ui_, draft_, folders_); });
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    help->setObjectName("btnHelp");
    help->setEnabled(bool(showHelp_));
    connect(help, &QPushButton::clicked, this, [this] { showHelp_(kHelpTopic); });
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgAdvancedSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    bindings_.load(draft_);
    chkStagger_->setChecked(draft_.StaggerDelay > 0);
    const bool mailAccount = draft_.EmailSoftware == kMailAccount;
    cmbRetrieve_->setEnabled(mailAccount);
    contacts->setEnabled(mailAccount);
    followRetrieveMethod();
    connect(cmbRetrieve_, &QComboBox::currentIndexChanged, this,
            &TdlgAdvancedSettings::followRetrieveMethod);
}

QWidget* TdlgAdvancedSettings::makeIntegrationGroup()
{
    grpIntegration_ = named<QGroupBox>("grpIntegration", "Mail Account Integration");
    auto* layout = new QVBoxLayout(grpIntegration_);
    layout->addWidget(named<QLabel>("lblSenderAddressMethod", "Sender Address Retrieval Method:"));
    cmbSenderMethod_ = bindings_.choice("SenderAddressMethod", kSenderMethods);
    layout->addWidget(cmbSenderMethod_);
    chkRedemption_ =
        bindings_.check("UseRedemption", "Read sender details from the message headers");
    layout->addWidget(chkRedemption_);
    layout->addWidget(bindings_.check(
        "AlwaysShowSenderError", "Always display error when cannot retrieve a sender address"));
    return grpIntegration_;
}

QWidget* TdlgAdvancedSettings::makeStaggerRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    chkStagger_ = named<QCheckBox>("chkStagger", "Send messages at");
    spnStagger_ = bindings_.number("StaggerDelay");
    // The send run pauses this many seconds between messages.
    spnStagger_->setSuffix(" seconds");
    spnStagger_->setToolTip("The number of seconds delay between message sending");
    spnStagger_->setEnabled(false);
    connect(chkStagger_, &QCheckBox::toggled, spnStagger_, &QSpinBox::setEnabled);
    layout->addWidget(chkStagger_);
    layout->addWidget(spnStagger_);
    layout->addStretch();
    return row;
}

void TdlgAdvancedSettings::followRetrieveMethod()
{
    grpIntegration_->setEnabled(cmbRetrieve_->currentIndex() != kDefaultInboxOnly);
}

bool TdlgAdvancedSettings::confirmExclusiveChange()
{
    if (chkExclusive_->isChecked() == draft_.DBIsExclusive)
        return false;
    if (chkExclusive_->isChecked() &&
        !ui_.askYesNo(
            "You have selected the option to for exclusive database access.  While this will speed "
            "up "
            "database access, you will not be able to perform searches on your database.\n\n"
            "Are you sure you want to enable this option?"))
        chkExclusive_->setChecked(false);
    return chkExclusive_->isChecked() != draft_.DBIsExclusive;
}

void TdlgAdvancedSettings::accept()
{
    if (cmbSenderMethod_->currentIndex() == kFromHeader && !chkRedemption_->isChecked()) {
        ui_.inform("You have selected the option not to read sender details from the message "
                   "headers, you will "
                   "need to select a different method for retrieval of the sender address.");
        return;
    }
    if (confirmExclusiveChange())
        ui_.inform("The changes to the database settings you have made will not take effect until "
                   "you restart the "
                   "application!");
    bindings_.store(draft_);
    if (!chkStagger_->isChecked())
        draft_.StaggerDelay = 0;
    settings_ = draft_;
    QDialog::accept();
}

bool TdlgAdvancedSettings::edit(QWidget* parent, Ui& ui, Settings& settings, const Folders& folders,
                                std::function<void(int)> showHelp)
{
    TdlgAdvancedSettings dialog(ui, settings, folders, std::move(showHelp), parent);
    return dialog.exec() == QDialog::Accepted;
}
