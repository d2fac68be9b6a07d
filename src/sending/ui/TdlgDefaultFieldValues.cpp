#include "sending/ui/TdlgDefaultFieldValues.h"

#include "settings/Settings.h"
#include "util/ui/WindowRoutines.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace {

struct FieldRow {
    const char* caption;
    QString Settings::*value;
};

constexpr std::array<FieldRow, 4> kRows = {{
    {"Full Name", &Settings::DefaultFullName},
    {"First Name", &Settings::DefaultFirstName},
    {"Surname", &Settings::DefaultSurname},
    {"Company", &Settings::DefaultCompany},
}};

}  // namespace

TdlgDefaultFieldValues::TdlgDefaultFieldValues(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName("dlgDefaultFieldValues");
    setWindowTitle("Default Field Values");
    auto* layout = new QVBoxLayout(this);
    auto* label = named<QLabel>("lblDefaultFieldValues",
                                "Enter the text to use when a field has no value, e.g. Sir/Madam for a first name.",
                                this);
    label->setWordWrap(true);
    layout->addWidget(label);
    grid_ = named<QTableWidget>("grdDefaultFieldValues", int(kRows.size()), 2, this);
    grid_->setHorizontalHeaderLabels({"Field", "Default Value"});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < int(kRows.size()); ++row) {
        auto* field = new QTableWidgetItem(kRows[row].caption);
        field->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(row, 0, field);
        grid_->setItem(row, 1, new QTableWidgetItem(settings.*kRows[row].value));
    }
    layout->addWidget(grid_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("btnsDefaultFieldValues");
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgDefaultFieldValues::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TdlgDefaultFieldValues::accept()
{
    // A cell still being typed in holds its text in the editor until it is committed.
    grid_->setCurrentItem(nullptr);
    for (int row = 0; row < int(kRows.size()); ++row)
        settings_.*kRows[row].value = grid_->item(row, 1)->text();
    QDialog::accept();
}

bool TdlgDefaultFieldValues::edit(QWidget* parent, Settings& settings)
{
    TdlgDefaultFieldValues dialog(settings, parent);
    return dialog.exec() == QDialog::Accepted;
}
