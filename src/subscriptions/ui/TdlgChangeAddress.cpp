#include "subscriptions/ui/TdlgChangeAddress.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TdlgChangeAddress::TdlgChangeAddress(const QString& oldAddress, const QString& newAddress,
                                     bool showIgnoreRules, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Update E-mail Address");
    edtOldAddress = new QLineEdit(oldAddress, this);
    edtOldAddress->setObjectName("edtOldAddress");
    edtNewAddress = new QLineEdit(newAddress, this);
    edtNewAddress->setObjectName("edtNewAddress");
    chkIgnoreRules = new QCheckBox("Ignore All Rules", this);
    chkIgnoreRules->setObjectName("chkIgnoreRules");
    chkIgnoreRules->setToolTip("If this option is checked then Corvanel will reprocess this entry without "
                               "checking whether the address is valid and ignoring your mail rules");
    chkIgnoreRules->setVisible(showIgnoreRules);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttonBox");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow("Old E-mail Address:", edtOldAddress);
    fields->addRow("New E-mail Address:", edtNewAddress);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(chkIgnoreRules);
    layout->addWidget(buttons);
}

Ui::AddressChange TdlgChangeAddress::change() const
{
    return {edtOldAddress->text(), edtNewAddress->text(),
            !chkIgnoreRules->isHidden() && chkIgnoreRules->isChecked()};
}

std::optional<Ui::AddressChange> TdlgChangeAddress::ask(QWidget* parent, const QString& oldAddress,
                                                        const QString& newAddress, bool showIgnoreRules)
{
    TdlgChangeAddress dialog(oldAddress, newAddress, showIgnoreRules, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.change();
}
