#pragma once

#include "setup/ui/OptionsPage.h"

class EntryListBox;
class QCheckBox;
class QSpinBox;

// "Delivery Failure": how bounces are recognised and counted, and the removal of
// addresses that keep bouncing.
class OptionsDeliveryFailurePage : public OptionsPage {
    Q_OBJECT
public:
    OptionsDeliveryFailurePage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    QLayout* bounceRemoval();

    EntryListBox* lbxfailure_;
    QCheckBox* BounceRemoval_;
    QSpinBox* BounceMax_;
};
