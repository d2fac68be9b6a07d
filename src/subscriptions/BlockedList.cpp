#include "subscriptions/BlockedList.h"

#include "settings/Settings.h"

#include <algorithm>

bool IsBlockedAddress(const Settings& settings, const QString& address)
{
    return settings.Never.contains(address.toLower(), Qt::CaseInsensitive);
}

void AddToUnsubscribersList(Settings& settings, const QString& address)
{
    if (settings.AddUnsubscribers && !IsBlockedAddress(settings, address))
        AddToBlockedList(settings, address);
}

void AddToBlockedList(Settings& settings, const QString& address)
{
    const QString lower = address.toLower();
    const auto place = std::lower_bound(
        settings.Never.begin(), settings.Never.end(), lower,
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    settings.Never.insert(place, lower);
}
