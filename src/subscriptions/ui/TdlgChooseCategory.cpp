#include "subscriptions/ui/TdlgChooseCategory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TdlgChooseCategory::TdlgChooseCategory(const QString& heading, const QStringList& groups,
                                       const QString& initial, AcceptFn accept, QWidget* parent)
    : QDialog(parent), accept_(std::move(accept))
{
    setWindowTitle("Choose Group");
    lblHeading = new QLabel(heading, this);
    lblHeading->setObjectName("lblHeading");
    lblHeading->setWordWrap(true);
    cmbcategory = new QComboBox(this);
    cmbcategory->setObjectName("cmbcategory");
    cmbcategory->setEditable(true);
    cmbcategory->setInsertPolicy(QComboBox::NoInsert);
    cmbcategory->addItems(groups);
    cmbcategory->setCurrentText(initial);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttonBox");
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgChooseCategory::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TdlgChooseCategory::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addWidget(cmbcategory);
    layout->addWidget(buttons);
}

QString TdlgChooseCategory::group() const
{
    return cmbcategory->currentText();
}

void TdlgChooseCategory::accept()
{
    QString text = cmbcategory->currentText();
    if (accept_ && !accept_(text))
        return;
    cmbcategory->setCurrentText(text);
    QDialog::accept();
}

std::optional<QString> TdlgChooseCategory::choose(QWidget* parent, const QString& heading,
                                                  const QStringList& groups, const QString& initial,
                                                  const AcceptFn& accept)
{
    TdlgChooseCategory dialog(heading, groups, initial, accept, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.group();
}
