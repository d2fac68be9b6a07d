#pragma once

#include "store/Entry.h"

#include <QString>
#include <optional>

struct ListContext;
class EntriesTable;

// The first entry whose address equals the given one without regard to case.
std::optional<Entry> LocateEmailAddress(const EntriesTable& entries, const QString& address);

// Replaces the old address by the new one in every entry that holds it (all or
// none of them). The new address must pass the address check (with the exception
// list when applyExceptions is set); it is not compared with the blocked list or
// with other entries. interactive shows the failures as messages; they always go
// to the activity log and the errors list. True when at least one entry changed.
bool ChangeEmailAddress(const ListContext& ctx, const QString& oldAddress,
                        const QString& newAddress, bool interactive, bool applyExceptions);

// "Update E-mail Address": the user edits both addresses and, when shown, ticks
// "Ignore All Rules" (then the exception list is not applied). True when the user
// confirmed.
bool PromptToModifyAddress(const ListContext& ctx, const QString& oldAddress,
                           const QString& newAddress, bool showIgnoreRules);
