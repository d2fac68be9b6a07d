#include "setup/ui/OptionsPages.h"

std::vector<OptionsPage*> makeOptionsPages([[maybe_unused]] Tdlgoptions& dialog, [[maybe_unused]] OptionsServices& services)
{
    std::vector<OptionsPage*> pages;
    return pages;
}
