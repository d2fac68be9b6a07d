#pragma once

#include "setup/ui/ChoiceButtons.h"
#include "setup/ui/OptionsPage.h"

class MailFolderField;
class QCheckBox;
class QSpinBox;

// "Scanning": which folder the check for new entries reads, what becomes of the
// messages it handled, when it runs and how requests become entries.
class OptionsScanningPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsScanningPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    QWidget* afterProcessing();
    QWidget* checking();
    QWidget* requests();

    MailFolderField* MailingListFolder_;
    MailFolderField* MoveFolder_;
    ChoiceButtons AfterProcess_;
    QCheckBox* chkChokeDownload_;
    QSpinBox* ChokeDownload_;
};
