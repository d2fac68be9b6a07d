#include "exchange/ui/TdlgEnterMore.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "subscriptions/GroupChoice.h"
#include "subscriptions/ListContext.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QComboBox* groupBox(const QStringList& groups, const char* name)
{
    auto* box = named<QComboBox>(name);
    box->setEditable(true);
    box->addItems(groups);
    box->setCurrentText({});
    return box;
}

}  // namespace

TdlgEnterMore::TdlgEnterMore(const ListContext& ctx, ImportHooks hooks, QWidget* parent)
    : QDialog(parent), ctx_(ctx), hooks_(std::move(hooks))
{
    setObjectName("TdlgEnterMore");
    setWindowTitle("Enter Addresses");
    auto* layout = new QVBoxLayout(this);

    lblHeading_ = new QLabel("Please enter the e-mail addresses you would like to process:\n"
                             "(e.g. someone@somewhere.com  or  John Smith <john@somewhere.com>)");
    lblHeading_->setObjectName("lblHeading");
    layout->addWidget(lblHeading_);
    memEntries_ = new QPlainTextEdit;
    memEntries_->setObjectName("memEntries");
    memEntries_->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(memEntries_, &QPlainTextEdit::textChanged, this, &TdlgEnterMore::textChanged);
    layout->addWidget(memEntries_, 1);
    lblCount_ = new QLabel;
    lblCount_->setObjectName("lblCount");
    layout->addWidget(lblCount_);

    rdbAdd_ = named<QRadioButton>("rdbAdd", "Add to Mailing List");
    rdbRemove_ = named<QRadioButton>("rdbRemove", "Remove from Mailing List");
    rdbUndeliverable_ = named<QRadioButton>("rdbUndeliverable", "Process as Undeliverable");
    rdbAllGroups_ = named<QRadioButton>("rdbAllGroups", "All Groups");
    rdbGroup_ = named<QRadioButton>("rdbGroup", "Group:");
    cmbAddGroup_ = groupBox(ctx_.settings.Cats, "cmbAddGroup");
    cmbAddGroup_->setCurrentText(ctx_.settings.AlternativeCategory);
    cmbRemoveGroup_ = groupBox(ctx_.settings.Cats, "cmbRemoveGroup");
    auto* actions = new QGridLayout;
    actions->addWidget(rdbAdd_, 0, 0);
    actions->addWidget(cmbAddGroup_, 0, 1, 1, 2);
    actions->addWidget(rdbRemove_, 1, 0);
    actions->addWidget(rdbAllGroups_, 1, 1);
    actions->addWidget(rdbGroup_, 2, 1);
    actions->addWidget(cmbRemoveGroup_, 2, 2);
    actions->addWidget(rdbUndeliverable_, 3, 0);
    layout->addLayout(actions);
    // The removal choices are a set of their own beside the three actions.
    auto* actionSet = new QButtonGroup(this);
    for (QRadioButton* r : {rdbAdd_, rdbRemove_, rdbUndeliverable_})
        actionSet->addButton(r);
    auto* removalSet = new QButtonGroup(this);
    removalSet->addButton(rdbAllGroups_);
    removalSet->addButton(rdbGroup_);
    rdbAdd_->setChecked(true);
    rdbAllGroups_->setChecked(true);
    for (QRadioButton* r : {rdbAdd_, rdbRemove_, rdbUndeliverable_, rdbGroup_})
        connect(r, &QRadioButton::toggled, this, &TdlgEnterMore::actionChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    btnOK_ = buttons->button(QDialogButtonBox::Ok);
    btnOK_->setObjectName("btnOK");
    btnOK_->setToolTip("Start processing of the entries listed above");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    btnPaste_ = new QPushButton("Paste");
    btnPaste_->setObjectName("btnPaste");
    btnLoad_ = new QPushButton("Load..");
    btnLoad_->setObjectName("btnLoad");
    buttons->addButton(btnPaste_, QDialogButtonBox::ActionRole);
    buttons->addButton(btnLoad_, QDialogButtonBox::ActionRole);
    connect(btnPaste_, &QPushButton::clicked, this, &TdlgEnterMore::btnPasteClick);
    connect(btnLoad_, &QPushButton::clicked, this, &TdlgEnterMore::btnLoadClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgEnterMore::btnOKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    actionChanged();
    textChanged();
}

void TdlgEnterMore::setEntriesText(const QString& text)
{
    memEntries_->setPlainText(text);
}

void TdlgEnterMore::useAsSecondStep(const QString& heading, const QString& text)
{
    setWindowTitle("Process Addresses (Step 2 of 2)");
    lblHeading_->setText(heading);
    btnPaste_->hide();
    btnLoad_->hide();
    setEntriesText(text);
}

void TdlgEnterMore::actionChanged()
{
    const bool removing = rdbRemove_->isChecked();
    cmbAddGroup_->setEnabled(rdbAdd_->isChecked());
    rdbAllGroups_->setEnabled(removing);
    rdbGroup_->setEnabled(removing);
    cmbRemoveGroup_->setEnabled(removing && rdbGroup_->isChecked());
}

void TdlgEnterMore::textChanged()
{
    const auto count = int(enteredLines(memEntries_->toPlainText()).size());
    lblCount_->setText(enterCountText(count));
    btnOK_->setEnabled(count > 0);
}

void TdlgEnterMore::btnPasteClick()
{
    if (QGuiApplication::clipboard()->text().isEmpty()) {
        ctx_.ui.inform("Clipboard does not contain text!");
        return;
    }
    memEntries_->paste();
}

void TdlgEnterMore::btnLoadClick()
{
    const QString chosen = QFileDialog::getOpenFileName(this, {}, {}, "Text Files (*.csv *.txt)");
    if (chosen.isEmpty())
        return;
    const auto text = readText(chosen);
    if (!text) {
        ctx_.ui.warn("Load Error");
        return;
    }
    setEntriesText(*text);
}

void TdlgEnterMore::btnOKClick()
{
    EnterChoice choice;
    choice.action = rdbAdd_->isChecked()      ? EnterAction::Add
                    : rdbRemove_->isChecked() ? EnterAction::Remove
                                              : EnterAction::Undeliverable;
    choice.addGroup = cmbAddGroup_->currentText();
    choice.allGroups = rdbAllGroups_->isChecked();
    choice.removeGroup = cmbRemoveGroup_->currentText();
    if (choice.action == EnterAction::Add) {
        if (!CheckGroup_Tcombo(ctx_, choice.addGroup, false))
            return;
        cmbAddGroup_->setCurrentText(choice.addGroup);
    }
    if (choice.action == EnterAction::Remove && !choice.allGroups && choice.removeGroup.trimmed().isEmpty()) {
        ctx_.ui.inform("You have not entered a group to remove these addresses from!");
        return;
    }
    ImportReport report(kManualEntryNote);
    processEnteredLines(hooks_, ctx_.settings, enteredLines(memEntries_->toPlainText()), choice, report);
    memEntries_->clear();
    accept();
}
