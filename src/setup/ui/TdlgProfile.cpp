#include "setup/ui/TdlgProfile.h"

#include "base/Ui.h"
#include "mail/AccountCheck.h"
#include "settings/Settings.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TdlgProfile::TdlgProfile(Ui& ui, Settings& settings, const Folders& folders, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings), folders_(folders)
{
    setObjectName("dlgProfile");
    setWindowTitle("E-mail Software Login Profile");
    auto* layout = new QVBoxLayout(this);
    auto* rdbDefault = named<QRadioButton>("rdbDefaultProfile", "Use the default profile", this);
    rdbProfile_ = named<QRadioButton>("rdbProfile", "Always use the following profile:", this);
    layout->addWidget(rdbDefault);
    layout->addWidget(rdbProfile_);

    auto* form = new QFormLayout;
    QLineEdit* user = bindings_.text("ProfileName");
    QLineEdit* password = bindings_.text("ProfilePassword");
    password->setEchoMode(QLineEdit::Password);
    form->addRow("User name:", user);
    form->addRow("Password:", password);
    form->addRow("IMAP server:", bindings_.text("IMAPHost"));
    form->addRow("Port:", bindings_.number("IMAPPort"));
    form->addRow("Security:", bindings_.textChoice("IMAPSecurity"));
    form->addRow(bindings_.check("IMAPVerifyCertificate", "Verify the server's certificate"));
    form->addRow("Local Folders location:", bindings_.text("LocalMailFolder"));
    form->addRow("vCard Address Book file:", bindings_.text("AddressBookFile"));
    form->addRow("sendmail program:", bindings_.text("SendmailPath"));
    layout->addLayout(form);

    bindings_.load(settings);
    const auto followProfile = [user, password](bool on) {
        user->setEnabled(on);
        password->setEnabled(on);
    };
    connect(rdbProfile_, &QRadioButton::toggled, this, followProfile);
    rdbProfile_->setChecked(!settings.ProfileName.isEmpty());
    rdbDefault->setChecked(settings.ProfileName.isEmpty());
    followProfile(rdbProfile_->isChecked());

    auto* buttons = named<QDialogButtonBox>("btnsProfile",
                                            QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* btnTest = buttons->addButton("Test", QDialogButtonBox::ActionRole);
    btnTest->setObjectName("btnTest");
    connect(btnTest, &QPushButton::clicked, this, &TdlgProfile::test);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgProfile::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TdlgProfile::edit(QWidget* parent, Ui& ui, Settings& settings, const Folders& folders)
{
    TdlgProfile dialog(ui, settings, folders, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TdlgProfile::storeInto(Settings& s) const
{
    bindings_.store(s);
    if (!rdbProfile_->isChecked())
        s.ProfileName.clear();
}

void TdlgProfile::test()
{
    Settings trial = settings_;
    storeInto(trial);
    AccountCheck found;
    {
        BusyCursor busy(ui_);
        found = checkMailSettings(trial, folders_);
    }
    showAccountCheck(ui_, found);
}

void TdlgProfile::accept()
{
    storeInto(settings_);
    QDialog::accept();
}
