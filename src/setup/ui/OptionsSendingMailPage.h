#pragma once

#include "setup/ui/OptionsPage.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;
class SendMethodField;

// "Sending Mail": how messages go out, how many recipients share a message, and
// what is added to every message sent.
class OptionsSendingMailPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsSendingMailPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* methods();
    QWidget* recipients();
    void checkDefaultToAddress();

    SendMethodField* EmailMethod_;
    SendMethodField* AltSendMethod_;
    QRadioButton* rdbSeparateMessages_;
    QRadioButton* rdbHiddenRecipients_;
    QSpinBox* MessageRecipientCount_;
    QLineEdit* DefaultToAddress_;
};
