#include "setup/ui/OptionsGroupsPage.h"

#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "setup/ui/EntryListBox.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "store/EntriesTable.h"
#include "subscriptions/GroupList.h"
#include "subscriptions/ListContext.h"
#include "util/ui/WindowRoutines.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>
#include <exception>

namespace {

enum WrongCategoryChoice { ErrorList = 0, ChangeGroup = 1, ConfirmGroup = 2 };

QComboBox* groupBox(const QString& name)
{
    auto* box = named<QComboBox>(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void offer(QComboBox* box, const QStringList& groups)
{
    const QString text = box->currentText();
    box->clear();
    box->addItems(groups);
    box->setCurrentText(text);
}

// The groups of the entries, each once, in the table's order; throws when the table
// cannot be read.
QStringList groupsOfEntries(const ListContext& ctx)
{
    QStringList groups;
    QSet<QString> seen;
    EntriesTable& entries = ctx.entries();
    ProgressScope progress(ctx.ui, "Checking for Exceptions", int(entries.count()), true);
    int position = 0;
    entries.walk([&](const Entry& entry) {
        const QString key = entry.Category.toCaseFolded();
        if (!seen.contains(key)) {
            seen.insert(key);
            groups << entry.Category;
        }
        return progress.step(++position);
    });
    return groups;
}

}  // namespace

OptionsGroupsPage::OptionsGroupsPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Groups", dialog, services)
{
    lbxcategories_ = new EntryListBox("lbxcategories", "Group List:", &Settings::Cats,
                                      {.lowerCase = true, .noCommas = true}, services.ui, this);
    connect(lbxcategories_, &EntryListBox::edited, this, &OptionsGroupsPage::UpdateCategoryListBoxes);
    auto* addAll = named<QPushButton>("btnAddAllGroups", "Add all Groups in current database", this);
    connect(addAll, &QPushButton::clicked, this, &OptionsGroupsPage::addAllGroups);
    defaultcategory_ = groupBox("defaultcategory");

    auto* defaults = new QFormLayout;
    defaults->addRow("Default Group:", defaultcategory_);
    auto* right = new QVBoxLayout;
    right->addLayout(defaults);
    right->addWidget(unsupportedGroupChoice());
    right->addWidget(bindings().check("MultipleCategorySupport", "Users can belong to multiple groups"));
    right->addWidget(addAll);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbxcategories_);
    layout->addLayout(right);
}

QWidget* OptionsGroupsPage::unsupportedGroupChoice()
{
    auto* frame = named<QGroupBox>("WrongCategory", "When a subscriber specifies a group not in the list");
    WrongCategory_ = new QButtonGroup(frame);
    auto* errorList =
        named<QRadioButton>("rdbWrongCategoryErrorList", "Add the subscribe entry to the Error List");
    auto* change = named<QRadioButton>("rdbWrongCategoryChange", "Change the group to:");
    auto* confirm = named<QRadioButton>("rdbWrongCategoryConfirm", "Confirm the addition of the group");
    WrongCategory_->addButton(errorList, ErrorList);
    WrongCategory_->addButton(change, ChangeGroup);
    WrongCategory_->addButton(confirm, ConfirmGroup);
    AlternativeCategory_ = groupBox("AlternativeCategory");
    AlternativeCategory_->setEnabled(false);
    connect(change, &QRadioButton::toggled, AlternativeCategory_, &QWidget::setEnabled);
    auto* changeRow = new QHBoxLayout;
    changeRow->addWidget(change);
    changeRow->addWidget(AlternativeCategory_, 1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(errorList);
    layout->addLayout(changeRow);
    layout->addWidget(confirm);
    return frame;
}

void OptionsGroupsPage::load(const Settings& s)
{
    OptionsPage::load(s);
    lbxcategories_->load(s);
    defaultcategory_->setCurrentText(s.defaultcategory);
    AlternativeCategory_->setCurrentText(s.AlternativeCategory);
    UpdateCategoryListBoxes();
    if (QAbstractButton* choice = WrongCategory_->button(s.WrongCategory))
        choice->setChecked(true);
}

void OptionsGroupsPage::store(Settings& s) const
{
    OptionsPage::store(s);
    lbxcategories_->store(s);
    s.defaultcategory = defaultcategory_->currentText();
    s.AlternativeCategory = AlternativeCategory_->currentText();
    if (WrongCategory_->checkedId() >= 0)
        s.WrongCategory = WrongCategory_->checkedId();
}

void OptionsGroupsPage::UpdateCategoryListBoxes()
{
    const QStringList groups = lbxcategories_->items();
    offer(defaultcategory_, groups);
    offer(AlternativeCategory_, groups);
}

void OptionsGroupsPage::addAllGroups()
{
    Ui& ui = services().ui;
    const Ui::Answer answer =
        ui.message(Ui::Icon::Confirmation,
                   "This process will add all the groups in your current database to your group "
                   "list.\n\nDo you want to clear the entries currently in your group list?",
                   Ui::Buttons::YesNoCancel);
    if (answer == Ui::Answer::Cancel)
        return;
    // The pages show the copy again afterwards, the group drop-downs with it.
    dialog().editDraft([&](Settings& s) {
        const ListContext ctx = services().listContext(s);
        QStringList groups;
        try {
            groups = groupsOfEntries(ctx);
        } catch (const std::exception& e) {
            // The list stays as it was: a table that cannot be read must not empty it.
            ui.warn("Error finding groups: " + QString::fromUtf8(e.what()));
            return;
        }
        if (answer == Ui::Answer::Yes)
            s.Cats.clear();
        for (const QString& group : groups)
            AddToGroupList(ctx, group);
    });
}
