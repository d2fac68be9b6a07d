#pragma once

#include "setup/ui/OptionsPage.h"

class QLineEdit;

// "Other": the change log, back-ups, the list's record cache, and the way to the
// e-mail software set-up and the advanced settings.
class OptionsOtherPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsOtherPage(Tdlgoptions& dialog, OptionsServices& services);

private:
    QWidget* backUp();
    QWidget* database();
    QWidget* commands();
    void pickBackUpFilename();

    QLineEdit* BackUpFilename_;
};
