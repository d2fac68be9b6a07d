#include "exchange/ui/TdlgExportOption.h"

#include "base/Ui.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* choiceButton(const QString& text, const QString& name, QLayout* layout)
{
    auto* button = new QRadioButton(text);
    button->setObjectName(name);
    layout->addWidget(button);
    return button;
}

}  // namespace

TdlgExportOption::TdlgExportOption(bool informationTabShown, Ui& ui, QWidget* parent)
    : QDialog(parent), informationTabShown_(informationTabShown), ui_(ui)
{
    setObjectName("TdlgExportOption");
    setWindowTitle("Export Option");
    auto* layout = new QVBoxLayout(this);
    rdbCSV_ = choiceButton("Export to a CSV format text file", "rdbCSV", layout);
    rdbExcel_ = choiceButton("Export to a Excel (*.xlsx) spreadsheet", "rdbExcel", layout);
    rdbHTML_ = choiceButton("Export to an HTML Web page", "rdbHTML", layout);
    rdbCSV_->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgExportOption::btnOKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TdlgExportOption::Choice TdlgExportOption::choice() const
{
    if (rdbExcel_->isChecked())
        return Choice::Spreadsheet;
    return rdbHTML_->isChecked() ? Choice::Html : Choice::Csv;
}

void TdlgExportOption::btnOKClick()
{
    if (informationTabShown_ && choice() != Choice::Csv) {
        ui_.message(Ui::Icon::Information,
                    "This export option is not available while you are in DB Information mode.  Please return "
                    "to the main screen and change the tab to 'All Mailing List'.");
        return;
    }
    accept();
}
