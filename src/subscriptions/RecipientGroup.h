#pragma once

#include <QString>
#include <optional>

class EntriesTable;
struct Settings;

// The group of the first entry with the address (compared without regard to
// case); empty when there is none.
QString GetGroupOfUser(const EntriesTable& entries, const QString& address);

// The group a member's message is forwarded to, by the ForwardToWhom rule: the
// whole list (an empty group), the recipient address's stem, the sender's own
// group, or the group in square brackets in the subject. nullopt when no target
// is known.
std::optional<QString> GetRecipientGroup(const Settings& settings, const EntriesTable& entries,
                                         const QString& sender, const QString& recipient,
                                         const QString& subject);
