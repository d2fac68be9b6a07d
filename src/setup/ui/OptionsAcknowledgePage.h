#pragma once

#include "setup/ui/OptionsPage.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

// "Acknowledge": the messages that tell a person their subscribe or unsubscribe
// request was handled.
class OptionsAcknowledgePage : public OptionsPage {
    Q_OBJECT
public:
    OptionsAcknowledgePage(Tdlgoptions& dialog, OptionsServices& services);

private:
    // The switch, subject and body of one message, added to layout; the switch comes back.
    QCheckBox* acknowledgement(QVBoxLayout* layout, const char* switchKey, const QString& caption,
                               const char* subjectKey, QPlainTextEdit* body);
    void followSwitches();

    QCheckBox* SubAcknowledgement_;
    QCheckBox* UnsubAcknowledgement_;
    QLabel* lblResultNote_;
    QCheckBox* AckManualEntries_;
};
