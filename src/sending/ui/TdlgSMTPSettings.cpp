#include "sending/ui/TdlgSMTPSettings.h"

#include "base/Ui.h"
#include "sending/SmtpAccountCheck.h"
#include "settings/Settings.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TdlgSMTPSettings::TdlgSMTPSettings(Ui& ui, Settings& settings, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings)
{
    setObjectName("dlgSMTPSettings");
    setWindowTitle("SMTP Settings");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    edtHost_ = named<QLineEdit>("SMTPHost", settings.SMTPHost, this);
    edtPort_ = named<QLineEdit>("SMTPPort", QString::number(settings.SMTPPort), this);
    edtName_ = named<QLineEdit>("SMTPName", settings.SMTPName, this);
    edtEmail_ = named<QLineEdit>("SMTPEmail", settings.SMTPEmail, this);
    chkLogon_ = named<QCheckBox>("SMTPLogon", "My SMTP Server requires authentication:", this);
    chkLogon_->setChecked(settings.SMTPLogon);
    edtUser_ = named<QLineEdit>("SMTPID", settings.SMTPID, this);
    edtPassword_ = named<QLineEdit>("SmtpPassword", settings.SmtpPassword, this);
    edtPassword_->setEchoMode(QLineEdit::Password);
    form->addRow("SMTP Server:", edtHost_);
    form->addRow("Port:", edtPort_);
    form->addRow("Your Name:", edtName_);
    form->addRow("Your E-mail Address:", edtEmail_);
    cmbSecurity_ = named<QComboBox>("SMTPSecurity", this);
    // "Auto" takes STARTTLS when the server offers it, so a plain port-25 server still works.
    cmbSecurity_->addItems({"Auto", "STARTTLS", "TLS", "None"});
    cmbSecurity_->setCurrentText(settings.SMTPSecurity);
    form->addRow("Security:", cmbSecurity_);
    chkVerify_ = named<QCheckBox>("SMTPVerifyCertificate", "Verify the server's certificate", this);
    chkVerify_->setChecked(settings.SMTPVerifyCertificate);
    form->addRow(chkVerify_);
    form->addRow(chkLogon_);
    form->addRow("User Name:", edtUser_);
    form->addRow("Password:", edtPassword_);
    layout->addLayout(form);
    const auto followLogon = [this](bool on) {
        edtUser_->setEnabled(on);
        edtPassword_->setEnabled(on);
    };
    followLogon(settings.SMTPLogon);
    connect(chkLogon_, &QCheckBox::toggled, this, followLogon);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("btnsSMTPSettings");
    QPushButton* btnTest = buttons->addButton("Test", QDialogButtonBox::ActionRole);
    btnTest->setObjectName("btnTest");
    connect(btnTest, &QPushButton::clicked, this, &TdlgSMTPSettings::test);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgSMTPSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TdlgSMTPSettings::fieldsPass()
{
    // Every check speaks, in this order, before the dialog decides.
    bool portIsNumber = false;
    const int port = edtPort_->text().trimmed().toInt(&portIsNumber);
    // Settings.ini takes ports 1 to 65535 only; a dialog never stores what it would refuse.
    const bool portValid = portIsNumber && port >= 1 && port <= 65535;
    if (!portValid)
        ui_.warn("You have not specified a valid SMTP port!");
    const bool hasEmail = !edtEmail_->text().trimmed().isEmpty();
    const bool hasHost = !edtHost_->text().trimmed().isEmpty();
    if (!hasEmail)
        ui_.inform("Please specify an e-mail address.");
    if (!hasHost)
        ui_.inform("Please specify your SMTP server.");
    return portValid && hasEmail && hasHost;
}

void TdlgSMTPSettings::storeInto(Settings& s) const
{
    s.SMTPPort = edtPort_->text().trimmed().toInt();
    s.SMTPID = edtUser_->text();
    s.SmtpPassword = edtPassword_->text();
    s.SMTPHost = edtHost_->text().trimmed();
    s.SMTPName = edtName_->text();
    s.SMTPEmail = edtEmail_->text().trimmed();
    s.SMTPLogon = chkLogon_->isChecked();
    s.SMTPSecurity = cmbSecurity_->currentText();
    s.SMTPVerifyCertificate = chkVerify_->isChecked();
}

void TdlgSMTPSettings::test()
{
    if (!fieldsPass())
        return;
    Settings trial = settings_;
    storeInto(trial);
    showAccountCheck(ui_, checkSmtpAccount(smtpAccountFrom(trial), ui_));
}

void TdlgSMTPSettings::accept()
{
    if (!fieldsPass())
        return;
    storeInto(settings_);
    QDialog::accept();
}

bool TdlgSMTPSettings::edit(QWidget* parent, Ui& ui, Settings& settings)
{
    TdlgSMTPSettings dialog(ui, settings, parent);
    return dialog.exec() == QDialog::Accepted;
}
