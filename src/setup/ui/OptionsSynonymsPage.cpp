#include "setup/ui/OptionsSynonymsPage.h"

#include "setup/ui/EntryListBox.h"
#include "setup/ui/OptionsServices.h"

#include <QHBoxLayout>

namespace {

// A request's keyword is one word of its line, so a keyword holding a blank could
// never match: the editor asks about blanks too.
constexpr EntryListForm kKeyword{.noSpaces = true, .upperCase = true};

}  // namespace

OptionsSynonymsPage::OptionsSynonymsPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Synonyms", dialog, services)
{
    lists_ = {
        new EntryListBox("Addstr", "Subscribe:", &Settings::Addstr, kKeyword, services.ui, this),
        new EntryListBox("Remstr", "Unsubscribe:", &Settings::Remstr, kKeyword, services.ui, this),
        new EntryListBox("Modifystr", "Change address:", &Settings::Modifystr, kKeyword, services.ui, this),
    };
    auto* layout = new QHBoxLayout(this);
    for (EntryListBox* list : lists_)
        layout->addWidget(list);
}

void OptionsSynonymsPage::load(const Settings& s)
{
    OptionsPage::load(s);
    for (EntryListBox* list : lists_)
        list->load(s);
}

void OptionsSynonymsPage::store(Settings& s) const
{
    OptionsPage::store(s);
    for (const EntryListBox* list : lists_)
        list->store(s);
}
