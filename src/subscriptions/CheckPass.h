#pragma once

#include "subscriptions/CheckWindow.h"

#include <functional>

#include <QString>

struct ListContext;
struct CurrentMessage;
class MailStores;

// What a check run did, for its summary line: messages looked at, acted on (and
// disposed of), left in the folder, and those that could not be read or processed.
struct CheckCounts {
    int lookedAt = 0;
    int actedOn = 0;
    int left = 0;
    int failed = 0;
};

// What a pass needs from the floors above it.
struct CheckHooks {
    // The folder picker, when the move folder cannot be opened; empty when none was chosen.
    std::function<QString()> chooseMoveFolder;
    // Forwards a member's message to its group; true when forwarded. Unset, nothing is.
    std::function<bool(const ListContext&, CurrentMessage&)> forwardmailmessage;
    // The window of a pass; unset, the gauge shows in the Ui's progress display.
    CheckWindowOpener openCheckWindow;
    // The main window's status display ("Processing Entry number N").
    std::function<void(const QString&)> showStatus;
};

// One pass over the list folder (listChanges) or the forwarding folder
// (userEmails), or both when they are the same: messages in arrival order, at most
// the newest ChokeDownload of them, each processed in its own savepoint inside a
// batch; a batch is committed, with the journal of the messages it handled, before
// any of them is disposed of. False when the pass could not run to its end (folder
// or connection lost, database error); what was committed stays.
bool runCheckPass(const ListContext& ctx, const MailStores& stores, const CheckHooks& hooks,
                  bool listChanges, bool userEmails, CheckCounts& counts);
