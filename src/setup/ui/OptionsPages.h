#pragma once

#include <vector>

class OptionsPage;
class Tdlgoptions;
struct OptionsServices;

// The pages of the options dialog in the order of its tabs.
std::vector<OptionsPage*> makeOptionsPages(Tdlgoptions& dialog, OptionsServices& services);
