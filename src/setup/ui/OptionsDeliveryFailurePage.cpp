#include "setup/ui/OptionsDeliveryFailurePage.h"

#include "settings/SettingsKeys.h"
#include "setup/ui/EntryListBox.h"
#include "setup/ui/OptionsServices.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

OptionsDeliveryFailurePage::OptionsDeliveryFailurePage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Delivery Failure", dialog, services)
{
    lbxfailure_ = new EntryListBox("lbxfailure", "Subjects of Delivery Failure messages:", &Settings::Failed,
                                   {}, services.ui, this);
    auto* days = new QHBoxLayout;
    days->addWidget(new QLabel("Do not process more than one bounce per recipient per", this));
    days->addWidget(bindings().number("BounceDays"));
    days->addWidget(new QLabel("days", this));
    days->addStretch();

    auto* options = new QVBoxLayout;
    options->addWidget(bindings().check("FailedMail", "Automatically process Delivery Failure messages"));
    options->addLayout(bounceRemoval());
    options->addLayout(days);
    options->addWidget(
        bindings().check("DeleteDeliveryWarnings", "Automatically delete Mail Delivery Warnings"));
    options->addWidget(
        bindings().check("RemoveOutofOffice", "Automatically delete 'Out of Office' messages"));
    options->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbxfailure_);
    layout->addLayout(options);
}

// One key holds both the switch and the count (0: off), so these two are bound here.
QLayout* OptionsDeliveryFailurePage::bounceRemoval()
{
    BounceRemoval_ = named<QCheckBox>("BounceRemoval", "Remove addresses that have bounced more than", this);
    BounceMax_ = named<QSpinBox>("BounceMax", this);
    const IntRange counts = *settingKey(QStringLiteral("BounceMax"))->rule.usual;
    BounceMax_->setRange(counts.min, counts.max);
    BounceMax_->setEnabled(false);
    connect(BounceRemoval_, &QCheckBox::toggled, BounceMax_, &QWidget::setEnabled);
    auto* row = new QHBoxLayout;
    row->addWidget(BounceRemoval_);
    row->addWidget(BounceMax_);
    row->addStretch();
    return row;
}

void OptionsDeliveryFailurePage::load(const Settings& s)
{
    OptionsPage::load(s);
    lbxfailure_->load(s);
    BounceRemoval_->setChecked(s.BounceRemoval);
    BounceMax_->setValue(s.BounceMax);
}

void OptionsDeliveryFailurePage::store(Settings& s) const
{
    OptionsPage::store(s);
    lbxfailure_->store(s);
    s.BounceRemoval = BounceRemoval_->isChecked();
    s.BounceMax = BounceMax_->value();
}
