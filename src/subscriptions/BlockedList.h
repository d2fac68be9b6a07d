#pragma once

#include <QString>

struct Settings;

// The blocked list ("Never.txt"): whole addresses in lower case, sorted; an
// address on it is never added by a request.

// The address is on the list, whatever its letter case.
bool IsBlockedAddress(const Settings& settings, const QString& address);

// With AddUnsubscribers, the lower-cased address joins the list unless it is there.
void AddToUnsubscribersList(Settings& settings, const QString& address);

// The lower-cased address joins the list in its sorted place.
void AddToBlockedList(Settings& settings, const QString& address);
