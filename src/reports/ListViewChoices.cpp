#include "reports/ListViewChoices.h"

#include "base/Ui.h"
#include "settings/Settings.h"

void ListViewChoices::readGroupFilter(const QString& filter, const QStringList& groups)
{
    displayGroups = !filter.contains(QLatin1String("<>"));
    tickedGroups.clear();
    for (int i = 0; i < groups.size(); ++i) {
        QList<bool> one(groups.size(), false);
        one[i] = true;
        tickedGroups << filter.contains(groupFilterText(groups, one, displayGroups), Qt::CaseInsensitive);
    }
}

void ListViewChoices::readOtherFilter(const QString& filter, const Settings& settings)
{
    other.reset();
    for (int v = 0; v < kOtherViewCount; ++v) {
        const auto view = OtherView(v);
        // The seven-day view's moment differs from run to run: its field names it.
        const QString form = otherViewFilterText(view, settings, QDateTime::currentDateTime());
        if (form == filter || (view == OtherView::LastSevenDays && filter.startsWith(QLatin1String("InsertDate >"))))
            other = view;
    }
}

void adviseCacheLimit(Settings& settings, Ui& ui, qint64 total)
{
    if (settings.ShownBigDBWarning || total <= 8000 || settings.LimitDBCache)
        return;
    settings.ShownBigDBWarning = true;
    if (ui.askYesNo(QStringLiteral("Your database is quite large and you may be experiencing slow start-up and "
                                   "refreshes.  You should limit the size of your DB Record Cache.  Do you want "
                                   "to do this now?"))) {
        settings.LimitDBCache = true;
        settings.DBCacheSize = 2000;
    }
}
