#pragma once

#include "setup/ui/OptionsPage.h"

#include <array>

class EntryListBox;

// "Synonyms": the words a request line may begin with to subscribe, unsubscribe or
// change an address.
class OptionsSynonymsPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsSynonymsPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    std::array<EntryListBox*, 3> lists_;
};
