#include "setup/ui/OptionsPages.h"

#include "setup/ui/OptionsDeliveryFailurePage.h"
#include "setup/ui/OptionsExceptionsPage.h"
#include "setup/ui/OptionsGroupsPage.h"
#include "setup/ui/OptionsSignaturesPage.h"
#include "setup/ui/OptionsSynonymsPage.h"

std::vector<OptionsPage*> makeOptionsPages(Tdlgoptions& dialog, OptionsServices& services)
{
    std::vector<OptionsPage*> pages;
    pages.push_back(new OptionsGroupsPage(dialog, services));
    pages.push_back(new OptionsSignaturesPage(dialog, services));
    pages.push_back(new OptionsExceptionsPage(dialog, services));
    pages.push_back(new OptionsSynonymsPage(dialog, services));
    pages.push_back(new OptionsDeliveryFailurePage(dialog, services));
    return pages;
}
