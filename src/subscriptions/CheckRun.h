#pragma once

#include "subscriptions/CheckPass.h"

#include <functional>

struct ListContext;
class MailStores;

// What the check command needs from the window it runs under.
struct CheckRunHooks {
    CheckHooks pass;
    // Prepares sending before acknowledgements or forwards may be queued.
    std::function<void()> CreatedmMailSend;
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
