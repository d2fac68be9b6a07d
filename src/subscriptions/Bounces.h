#pragma once

#include <QList>
#include <QString>

struct ListContext;

// Counts one bounce for the first entry with the address, unless one was counted
// within BounceDays; removes the entry when its count reaches BounceMax (with
// BounceRemoval on and BounceMax not 0). Writes the activity-log line and answers
// the result text.
QString processbounce(const ListContext& ctx, const QString& address, const QString& dateText);

// "Reset Bounce Count for all Entries": Bounces = 0 in every row (LastBounce
// stays). Shows "Error resetting bounce counts!" on failure; false then.
bool ResetBounceCountforallEntries(const ListContext& ctx);

// "Reset Bounce Count" of the selected rows (entry Index values), all or none.
// False, after the same message, on failure.
bool resetBounceCount(const ListContext& ctx, const QList<qint64>& rows);
