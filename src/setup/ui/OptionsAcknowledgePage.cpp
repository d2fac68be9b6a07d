#include "setup/ui/OptionsAcknowledgePage.h"

#include "settings/Settings.h"
#include "setup/ui/OptionsControls.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

OptionsAcknowledgePage::OptionsAcknowledgePage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Acknowledge", dialog, services)
{
    SubAck_ = named<QPlainTextEdit>("SubAck");
    UnSubAck_ = named<QPlainTextEdit>("UnSubAck");
    auto* layout = new QVBoxLayout(this);
    SubAcknowledgement_ = acknowledgement(layout, "SubAcknowledgement",
                                          "Send the following message to users when they subscribe:",
                                          "AckSubject", SubAck_);
    UnsubAcknowledgement_ = acknowledgement(layout, "UnsubAcknowledgement",
                                            "Send the following message to users when they unsubscribe:",
                                            "UnAckSubject", UnSubAck_);
    lblResultNote_ = named<QLabel>("lblResultNote",
                                   "%RESULT% in a message is replaced by what was done with the request.", this);
    AckManualEntries_ = bindings().check("AckManualEntries",
                                         "Do not send when manually entering or importing addresses", true);
    layout->addWidget(lblResultNote_);
    layout->addWidget(AckManualEntries_);
    for (QCheckBox* box : {SubAcknowledgement_, UnsubAcknowledgement_})
        connect(box, &QCheckBox::toggled, this, &OptionsAcknowledgePage::followSwitches);
    followSwitches();
}

QCheckBox* OptionsAcknowledgePage::acknowledgement(QVBoxLayout* layout, const char* switchKey,
                                                   const QString& caption, const char* subjectKey,
                                                   QPlainTextEdit* body)
{
    QCheckBox* on = bindings().check(switchKey, caption);
    QLineEdit* subject = bindings().text(subjectKey);
    auto* subjectRow = new QFormLayout;
    subjectRow->addRow("Subject:", subject);
    layout->addWidget(on);
    layout->addLayout(subjectRow);
    layout->addWidget(body);
    enableWhenChecked(on, {subject, body});
    return on;
}

// The note and the manual-entry box concern both messages: usable while either is sent.
void OptionsAcknowledgePage::followSwitches()
{
    const bool any = SubAcknowledgement_->isChecked() || UnsubAcknowledgement_->isChecked();
    lblResultNote_->setEnabled(any);
    AckManualEntries_->setEnabled(any);
}

void OptionsAcknowledgePage::load(const Settings& s)
{
    OptionsPage::load(s);
    showLines(SubAck_, s.SubAck);
    showLines(UnSubAck_, s.UnSubAck);
}

void OptionsAcknowledgePage::store(Settings& s) const
{
    OptionsPage::store(s);
    s.SubAck = linesOf(SubAck_);
    s.UnSubAck = linesOf(UnSubAck_);
}
