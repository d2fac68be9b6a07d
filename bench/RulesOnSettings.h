#pragma once

#include "settings/Settings.h"

// The settings of a list with every entry rule at work: the exception texts, a
// blocked list, the activity log, statistics and several groups per address.
inline Settings rulesOnSettings()
{
    Settings settings;
    settings.MaintainLog = true;
    settings.Except = true;
    settings.ExceptList = {"__", "hotmial", "spam.invalid"};
    settings.Never = {"blocked1@example.net", "blocked2@example.net", "nobody@example.com"};
    settings.LogManualEntries = true;
    settings.MultipleCategorySupport = true;
    settings.Cats = {"default", "news"};
    return settings;
}
