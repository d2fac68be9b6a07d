#pragma once

#include "setup/ui/OptionsPage.h"

class EntryListBox;

// "Exceptions": the texts that make an address invalid and the blocked addresses,
// each offering to clear the list of what it now excludes.
class OptionsExceptionsPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsExceptionsPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    void exceptionsEdited();
    void blockedEdited();

    EntryListBox* lbxexceptions_;
    EntryListBox* lbxneversubscribe_;
};
