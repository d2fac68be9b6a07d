#include "setup/ui/OptionsPages.h"

#include "setup/ui/OptionsAcknowledgePage.h"
#include "setup/ui/OptionsOtherPage.h"
#include "setup/ui/OptionsScanningPage.h"
#include "setup/ui/OptionsSendingMailPage.h"
#include "setup/ui/OptionsUserSendingPage.h"
#include "setup/ui/OptionsWebFormsPage.h"

std::vector<OptionsPage*> makeOptionsPages(Tdlgoptions& dialog, OptionsServices& services)
{
    std::vector<OptionsPage*> pages;
    pages.push_back(new OptionsScanningPage(dialog, services));
    pages.push_back(new OptionsWebFormsPage(dialog, services));
    pages.push_back(new OptionsAcknowledgePage(dialog, services));
    pages.push_back(new OptionsSendingMailPage(dialog, services));
    pages.push_back(new OptionsUserSendingPage(dialog, services));
    pages.push_back(new OptionsOtherPage(dialog, services));
    return pages;
}
