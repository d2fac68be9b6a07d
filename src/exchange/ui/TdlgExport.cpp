#include "exchange/ui/TdlgExport.h"

#include "exchange/ui/PrintListPage.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* labelFor(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TdlgExport::TdlgExport(Mode mode, const ExportContext& context, QWidget* parent)
    : QDialog(parent), mode_(mode), context_(context)
{
    const bool printing = mode == Mode::Print;
    setObjectName("TdlgExport");
    setWindowTitle(printing ? "Print E-mail List" : "Export E-mail List");
    if (printing && !context_.hooks.print)
        context_.hooks.print = [this](const QString& title, const QString& page) {
            return printListPage(parentWidget(), title, page);
        };
    auto* layout = new QVBoxLayout(this);

    if (printing) {
        edtHeading_ = new QLineEdit("Mailing List Print at " +
                                    QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
        edtHeading_->setObjectName("edtHeading");
        edtHeading_->setReadOnly(true);
        layout->addWidget(labelFor("Print the e-mail list with the heading:", edtHeading_));
        layout->addWidget(edtHeading_);
    } else {
        edtFileName_ = new QLineEdit(defaultExportFileName());
        edtFileName_->setObjectName("edtFileName");
        edtFileName_->setReadOnly(true);
        auto* btnSave = new QPushButton("Save..");
        btnSave->setObjectName("btnSave");
        connect(btnSave, &QPushButton::clicked, this, &TdlgExport::btnSaveClick);
        auto* fileRow = new QHBoxLayout;
        fileRow->addWidget(edtFileName_, 1);
        fileRow->addWidget(btnSave);
        layout->addWidget(labelFor("Export to the file:", edtFileName_));
        layout->addLayout(fileRow);
    }

    lbxFields_ = new QListWidget;
    lbxFields_->setObjectName("lbxFields");
    for (int i = 0; i < kExportColumnCount; ++i) {
        auto* item = new QListWidgetItem(exportCaption(exportColumnAt(i)), lbxFields_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    layout->addWidget(labelFor(printing ? "What fields do you want to print:" : "What fields do you want to export:",
                               lbxFields_));
    layout->addWidget(lbxFields_, 1);

    if (!printing) {
        edtSeparator_ = new QLineEdit(",");
        edtSeparator_->setObjectName("edtSeparator");
        edtSeparator_->setMaxLength(1);
        auto* separatorRow = new QHBoxLayout;
        separatorRow->addWidget(labelFor("Separator:", edtSeparator_));
        separatorRow->addWidget(edtSeparator_);
        separatorRow->addStretch(1);
        layout->addLayout(separatorRow);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgExport::btnOKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TdlgExport::btnSaveClick()
{
    const QString chosen =
        QFileDialog::getSaveFileName(this, {}, edtFileName_->text(), "Comma-delimited Files (*.csv);;Text File (*.txt)",
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        edtFileName_->setText(chosen);
}

ExportColumnFlags TdlgExport::tickedColumns() const
{
    ExportColumnFlags flags{};
    for (int i = 0; i < kExportColumnCount; ++i)
        flags[size_t(i)] = lbxFields_->item(i)->checkState() == Qt::Checked;
    return flags;
}

void TdlgExport::btnOKClick()
{
    hide();
    exported_ = mode_ == Mode::Print
                    ? exportlist(context_, {}, edtHeading_->text(), ",", false, tickedColumns())
                    : exportlist(context_, edtFileName_->text(), {}, edtSeparator_->text(), false, tickedColumns());
    accept();
}
