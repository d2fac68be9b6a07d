#include "setup/ui/OptionsScanningPage.h"

#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "setup/ui/MailFolderField.h"
#include "setup/ui/OptionsControls.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kMove = "Move";
const QString kDelete = "Delete";
// What the limit box offers when it is ticked from no limit.
constexpr int kUsualChoke = 100;

QHBoxLayout* row(const QList<QWidget*>& widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch();
    return layout;
}

}  // namespace

OptionsScanningPage::OptionsScanningPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Scanning", dialog, services), AfterProcess_(this)
{
    MailingListFolder_ = new MailFolderField(
        bindings(), "MailingListFolder", "btnSelectMailingListFolder",
        "Please select the mail folder that CVN should scan for new mailing list messages (when you select "
        "'File|Check for New Entries')",
        services);
    auto* folder = new QGroupBox("Mailing List Folder:", this);
    (new QVBoxLayout(folder))->addWidget(MailingListFolder_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder);
    layout->addWidget(afterProcessing());
    layout->addWidget(checking());
    layout->addWidget(requests());
    layout->addStretch();
}

QWidget* OptionsScanningPage::afterProcessing()
{
    auto* box = named<QGroupBox>("AfterProcess", "After processing a message", this);
    auto* layout = new QVBoxLayout(box);
    MoveFolder_ = new MailFolderField(bindings(), "MoveFolder", "btnSelectMoveFolder",
                                      "Please select the mail folder to move processed messages to", services());
    layout->addWidget(AfterProcess_.add("rdbAfterProcessMarkRead", "Mark messages as read", "MarkRead"));
    layout->addWidget(AfterProcess_.add("rdbAfterProcessMove", "Move processed messages to the folder:", kMove));
    layout->addWidget(MoveFolder_);
    layout->addWidget(AfterProcess_.add("rdbAfterProcessDelete", "Delete messages", kDelete));
    return box;
}

QWidget* OptionsScanningPage::checking()
{
    auto* box = new QGroupBox("Checking for new entries", this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(bindings().check("AutoScanStartUp", "Always check for new entries on start-up"));
    QCheckBox* timed = bindings().check("AutoScanDelayed", "Check for new entries every");
    QSpinBox* minutes = bindings().number("AutoScanDelayedTime");
    auto* unit = new QLabel("minutes", box);
    layout->addLayout(row({timed, minutes, unit}));
    enableWhenChecked(timed, {minutes, unit});

    // One key holds both the switch and the number (1 or less: no limit), so these two are bound here.
    chkChokeDownload_ = named<QCheckBox>("chkChokeDownload", "Look at no more than");
    ChokeDownload_ = named<QSpinBox>("ChokeDownload");
    const IntRange limits = *settingKey(QStringLiteral("ChokeDownload"))->rule.usual;
    ChokeDownload_->setRange(limits.min, limits.max);
    auto* perCheck = new QLabel("messages in each check", box);
    layout->addLayout(row({chkChokeDownload_, ChokeDownload_, perCheck}));
    enableWhenChecked(chkChokeDownload_, {ChokeDownload_, perCheck});
    return box;
}

QWidget* OptionsScanningPage::requests()
{
    auto* box = new QGroupBox("Requests", this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(bindings().check("allowfromaddressasentry",
                                       "If the subscribe e-mail address is not given, use the From address"));
    layout->addWidget(bindings().check("UpdateFieldsofOldEntry",
                                       "When an entry already exists update the fields with the new values"));
    layout->addWidget(bindings().check("GuessSalutation",
                                       "When First Name or Surname are missing, extract from the Full Name"));
    auto* addresses = new QFormLayout;
    addresses->addRow("Messages sent to this address subscribe:", bindings().text("AddAddress"));
    addresses->addRow("Messages sent to this address unsubscribe:", bindings().text("RemoveAddress"));
    layout->addLayout(addresses);
    return box;
}

void OptionsScanningPage::load(const Settings& s)
{
    OptionsPage::load(s);
    MailingListFolder_->showRetrieval(s);
    MoveFolder_->enableForRetrieval(s);
    const bool inboxOnly = defaultInboxOnly(s);
    AfterProcess_.button(kMove)->setEnabled(!inboxOnly);
    // Nothing can be moved out of the default inbox: a chosen move is shown, and so stored, as deletion.
    AfterProcess_.select(inboxOnly && s.AfterProcess == kMove ? kDelete : s.AfterProcess);
    chkChokeDownload_->setChecked(s.ChokeDownload >= ChokeDownload_->minimum());
    ChokeDownload_->setValue(chkChokeDownload_->isChecked() ? s.ChokeDownload : kUsualChoke);
}

void OptionsScanningPage::store(Settings& s) const
{
    OptionsPage::store(s);
    if (const QString chosen = AfterProcess_.selected(); !chosen.isEmpty())
        s.AfterProcess = chosen;
    s.ChokeDownload = chkChokeDownload_->isChecked() ? ChokeDownload_->value() : 0;
}
