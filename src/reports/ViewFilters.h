#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct Settings;

// The special views of the "Other" tab, in the order of its choice.
enum class OtherView { NewEntries, LastSevenDays, NoSendingRights, FrequentBounces, Tagged };
inline constexpr int kOtherViewCount = 5;
QString otherViewCaption(OtherView view);

// The filter expression of the "Select Groups" tab: one term per ticked group in
// the order of the group list, "=" joined by OR to show them, "<>" joined by AND
// to hide them; empty (every entry) when nothing is ticked.
QString groupFilterText(const QStringList& groups, const QList<bool>& ticked, bool display);

// The filter expression of an "Other" view; now is the moment the view is applied.
QString otherViewFilterText(OtherView view, const Settings& settings, const QDateTime& now);

// The bounce count above which "Display Users with Frequent Bounces" shows an
// entry: 5 without the bounce limit, else 3 below a limit of 6 and half the limit above.
int frequentBounceThreshold(const Settings& settings);

inline constexpr const char* kSearchHitFilter = "SearchHit = TRUE";

// The line under the grid.
QString countLineText(qint64 count, bool filtered, qint64 total);
