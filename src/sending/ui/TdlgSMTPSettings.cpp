#include "sending/ui/TdlgSMTPSettings.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
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
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgSMTPSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TdlgSMTPSettings::accept()
{
    // Every check speaks, in this order, before the dialog decides.
    bool portIsNumber = false;
    const int port = edtPort_->text().trimmed().toInt(&portIsNumber);
    if (!portIsNumber || port < 0)
        ui_.warn("You have not specified a valid SMTP port!");
    const QString email = edtEmail_->text().trimmed();
    const QString host = edtHost_->text().trimmed();
    if (email.isEmpty())
        ui_.inform("Please specify an e-mail address.");
    if (host.isEmpty())
        ui_.inform("Please specify your SMTP server.");
    if (!portIsNumber || port < 0 || email.isEmpty() || host.isEmpty())
        return;
    settings_.SMTPPort = port;
    settings_.SMTPID = edtUser_->text();
    settings_.SmtpPassword = edtPassword_->text();
    settings_.SMTPHost = host;
    settings_.SMTPName = edtName_->text();
    settings_.SMTPEmail = email;
    settings_.SMTPLogon = chkLogon_->isChecked();
    QDialog::accept();
}

bool TdlgSMTPSettings::edit(QWidget* parent, Ui& ui, Settings& settings)
{
    TdlgSMTPSettings dialog(ui, settings, parent);
    return dialog.exec() == QDialog::Accepted;
}
