#pragma once

#include "subscriptions/CheckPass.h"

#include <functional>

struct ListContext;
class MailStores;
class RecipientCache;
class TdmMailSend;

// What the check command needs from the window it runs under.
struct CheckRunHooks {
    CheckHooks pass;
    // The sender of acknowledgements and forwarded messages, made on first use;
    // without it they wait in the outbox and members' messages stay in the folder.
    std::function<TdmMailSend*()> CreatedmMailSend;
    // The group cache that forwarding keeps between messages.
    RecipientCache* cache = nullptr;
    // Freezes the main view and stops the timers (true), or restores the view,
    // re-applies the group filter and re-arms the timers (false).
    std::function<void(bool)> newformpreparation;
};

// "Check for New Entries": one pass over the list folder and, with forwarding on,
// one over the forwarding folder (a single pass when both are the same folder).
// One check at a time per database folder: a second one finds the first one's
// lock, says so and does nothing. False when it could not run, or a pass could
// not run to its end.
bool btngetoutlookClick(const ListContext& ctx, const MailStores& stores, const CheckRunHooks& hooks,
                        CheckCounts& counts);
