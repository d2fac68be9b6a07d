#pragma once

#include "setup/ui/OptionsPage.h"

class QTableWidget;

// "Web Forms": whether messages from a web form are read, how they are known, and
// the text that comes before each field's value in them.
class OptionsWebFormsPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsWebFormsPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    QTableWidget* grdWebForms_;
};
