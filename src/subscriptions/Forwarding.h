#pragma once

#include <QString>

class EntriesTable;
class RecipientCache;
class TdmMailSend;
struct CurrentMessage;
struct ListContext;
struct Settings;

// Whether the sender may write to the group: the entry of the address in that
// group (with MustBelongToGroup and a group), else any entry of the address, and
// its sending right. No entry: no.
bool UserCanSend(const Settings& settings, const EntriesTable& entries, const QString& sender, const QString& group);

// A member's message re-sent to every address of its target group, in messages of
// MessageRecipientCount hidden recipients (one address per message when that is 1).
// True when forwarded, so the pass may dispose of it; false leaves it in the folder.
bool forwardmailmessage(const ListContext& ctx, TdmMailSend& mailSend, RecipientCache& cache,
                        CurrentMessage& message);

// One forwarded message to the cache's addresses from start on: the index of the
// next address to send to, or -1 when this message failed.
int Doforwardmailmessage(const ListContext& ctx, TdmMailSend& mailSend, const RecipientCache& cache,
                         CurrentMessage& message, int start);
