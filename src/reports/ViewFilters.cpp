#include "reports/ViewFilters.h"

#include "settings/Settings.h"

QString otherViewCaption(OtherView view)
{
    switch (view) {
    case OtherView::NewEntries: return QStringLiteral("Display New Entries");
    case OtherView::LastSevenDays: return QStringLiteral("Display Entries added in the Last Seven Days");
    case OtherView::NoSendingRights: return QStringLiteral("Display Users without Sending Rights");
    case OtherView::FrequentBounces: return QStringLiteral("Display Users with Frequent Bounces");
    case OtherView::Tagged: return QStringLiteral("Display Entries that have been Tagged");
    }
    return {};
}

QString groupFilterText(const QStringList& groups, const QList<bool>& ticked, bool display)
{
    QStringList terms;
    for (int i = 0; i < groups.size() && i < ticked.size(); ++i) {
        if (!ticked[i])
            continue;
        // A quote in a group's name is written twice, so the name stays one text.
        QString name = groups[i].trimmed();
        name.replace(QLatin1Char('\''), QLatin1String("''"));
        terms << QStringLiteral("(Category %1 '%2')").arg(display ? "=" : "<>", name);
    }
    return terms.join(display ? QLatin1String(" OR ") : QLatin1String(" AND "));
}

int frequentBounceThreshold(const Settings& settings)
{
    if (!settings.BounceRemoval)
        return 5;
    return settings.BounceMax < 6 ? 3 : settings.BounceMax / 2;
}

QString otherViewFilterText(OtherView view, const Settings& settings, const QDateTime& now)
{
    switch (view) {
    case OtherView::NewEntries: return QStringLiteral("NewUser = TRUE");
    case OtherView::LastSevenDays:
        return QStringLiteral("InsertDate > '%1'").arg(now.addDays(-7).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    case OtherView::NoSendingRights: return QStringLiteral("SendRights = FALSE");
    case OtherView::FrequentBounces: return QStringLiteral("Bounces > %1").arg(frequentBounceThreshold(settings));
    case OtherView::Tagged: return QStringLiteral("Tagged = TRUE");
    }
    return {};
}

QString countLineText(qint64 count, bool filtered, qint64 total)
{
    if (!filtered)
        return QStringLiteral("  %1 Records").arg(count);
    return QStringLiteral("  Found %1 Records.  Total DB Records: %2").arg(count).arg(total);
}
