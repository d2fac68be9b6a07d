#pragma once

#include "setup/ui/OptionsPage.h"

class EntryListBox;
class QButtonGroup;
class QComboBox;

// "Groups": the group list, the default group, what to do with a group that is not
// on the list, and the adding of every group the database holds.
class OptionsGroupsPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsGroupsPage(Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s) override;
    void store(Settings& s) const override;

private:
    QWidget* unsupportedGroupChoice();
    // The group drop-downs offer the list as the list box shows it.
    void UpdateCategoryListBoxes();
    void addAllGroups();

    EntryListBox* lbxcategories_;
    QComboBox* defaultcategory_;
    QComboBox* AlternativeCategory_;
    QButtonGroup* WrongCategory_;
};
