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
    QPlainTextEdit* SubAck = bindings().lines("SubAck", &Settings::SubAck);
    QPlainTextEdit* UnSubAck = bindings().lines("UnSubAck", &Settings::UnSubAck);
    auto* layout = new QVBoxLayout(this);
    SubAcknowledgement_ = acknowledgement(layout, "SubAcknowledgement",
                                          "Send the following message to users when they subscribe:",
                                          "AckSubject", SubAck);
    UnsubAcknowledgement_ = acknowledgement(layout, "UnsubAcknowledgement",
                                            "Send the following message to users when they unsubscribe:",
                                            "UnAckSubject", UnSubAck);
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
