#include "setup/ui/OptionsPages.h"

std::vector<OptionsPage*> makeOptionsPages(Tdlgoptions& dialog, OptionsServices& services)
{
    std::vector<OptionsPage*> pages;
    return pages;
}
