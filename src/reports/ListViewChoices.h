#pragma once

#include "reports/ViewFilters.h"

#include <QList>
#include <optional>

struct Settings;
class Ui;

// What the panels of the list view's tabs have chosen: the ticked groups and the
// display/hide choice of "Select Groups", and the view of "Other".
struct ListViewChoices {
    QList<bool> tickedGroups;  // in the order of the group list
    bool displayGroups = true;
    std::optional<OtherView> other;

    QString groupFilter(const QStringList& groups) const
    {
        return groupFilterText(groups, tickedGroups, displayGroups);
    }
    // Takes the ticks and the choice back from a stored group filter, so a view
    // restored at start-up shows the groups it filters on.
    void readGroupFilter(const QString& filter, const QStringList& groups);
    // Takes the view back from a stored "Other" filter; none when it is no such view.
    void readOtherFilter(const QString& filter, const Settings& settings);
};

// The advice for a large list without the cache limit, asked once ever: Yes turns
// the limit on at 2000 rows (the grid takes it at the next options or start).
void adviseCacheLimit(Settings& settings, Ui& ui, qint64 total);
