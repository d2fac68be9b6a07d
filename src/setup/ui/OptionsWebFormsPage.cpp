#include "setup/ui/OptionsWebFormsPage.h"

#include "settings/Settings.h"
#include "setup/ui/OptionsControls.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

namespace {

// In the order of the tags in WebForms.ddt, which is the order the reader takes them in.
const char* const kFieldLabels[] = {
    "Action (e.g. Action: Subscribe)", "E-mail (REQUIRED)",
    "Group (Seperate multiple groups with commas)", "Full Name (either use this field or the next two)",
    "First Name", "Surname", "Company", "Address", "City", "State", "Zip", "Country"};
constexpr int kFields = int(std::size(kFieldLabels));
constexpr int kLabelColumn = 0;
constexpr int kTagColumn = 1;

}  // namespace

OptionsWebFormsPage::OptionsWebFormsPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Web Forms", dialog, services)
{
    QCheckBox* process = bindings().check("ProcessWebForms", "Automatically process web form submissions");
    QLineEdit* subject = bindings().text("WebFormSubject");
    grdWebForms_ = named<QTableWidget>("grdWebForms", kFields, 2, this);
    grdWebForms_->setHorizontalHeaderLabels({"Field", "Text before the value"});
    grdWebForms_->verticalHeader()->hide();
    grdWebForms_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < kFields; ++row) {
        auto* label = new QTableWidgetItem(kFieldLabels[row]);
        label->setFlags(label->flags() & ~Qt::ItemIsEditable);
        grdWebForms_->setItem(row, kLabelColumn, label);
        grdWebForms_->setItem(row, kTagColumn, new QTableWidgetItem);
    }
    auto* subjectRow = new QFormLayout;
    subjectRow->addRow("Subject text of web form messages:", subject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(process);
    layout->addLayout(subjectRow);
    layout->addWidget(grdWebForms_);
    enableWhenChecked(process, {subject, grdWebForms_});
}

void OptionsWebFormsPage::load(const Settings& s)
{
    OptionsPage::load(s);
    for (int row = 0; row < kFields; ++row)
        grdWebForms_->item(row, kTagColumn)->setText(row < s.WebForms.size() ? s.WebForms[row] : QString());
}

void OptionsWebFormsPage::store(Settings& s) const
{
    OptionsPage::store(s);
    s.WebForms.clear();
    for (int row = 0; row < kFields; ++row)
        s.WebForms << grdWebForms_->item(row, kTagColumn)->text();
}
