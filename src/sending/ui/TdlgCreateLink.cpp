#include "sending/ui/TdlgCreateLink.h"

#include "util/ui/WindowRoutines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

TdlgCreateLink::TdlgCreateLink(const QString& selectedText, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgCreateLink");
    setWindowTitle("Create Link");
    auto* layout = new QFormLayout(this);
    cmbLinkType_ = named<QComboBox>("cmbLinkType", this);
    cmbLinkType_->addItems({"http://", "mailto:"});
    layout->addRow("Link Type:", cmbLinkType_);
    edtLink_ = named<QLineEdit>("edtLink", this);
    layout->addRow("Link:", edtLink_);
    edtLinkText_ = named<QLineEdit>("edtLinkText", selectedText, this);
    layout->addRow("Link Text:", edtLinkText_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgCreateLink::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void TdlgCreateLink::accept()
{
    // A link the reader cannot see or follow is no link: OK waits for both.
    if (edtLink_->text().trimmed().isEmpty()) {
        edtLink_->setFocus();
        return;
    }
    if (edtLinkText_->text().trimmed().isEmpty())
        edtLinkText_->setText(edtLink_->text().trimmed());
    QDialog::accept();
}

TdlgCreateLink::Link TdlgCreateLink::link() const
{
    QString target = edtLink_->text().trimmed();
    const QString type = cmbLinkType_->currentText();
    // A pasted "http://x" with the type chosen keeps one prefix, not two.
    if (target.startsWith(type, Qt::CaseInsensitive))
        target = target.mid(type.size());
    return {type, target, edtLinkText_->text()};
}

std::optional<TdlgCreateLink::Link> TdlgCreateLink::ask(const QString& selectedText, QWidget* parent)
{
    TdlgCreateLink dialog(selectedText, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.link();
}
