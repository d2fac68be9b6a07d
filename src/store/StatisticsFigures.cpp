#include "store/StatisticsFigures.h"

#include "util/DateText.h"

#include <optional>

QDate statisticsDay(const QString& dateText, const QDateTime& now)
{
    if (auto dt = parseDateTimeText(dateText)) {
        const QDate day = dt->date();
        if (dayNumber(day) >= 29700 && *dt <= now)
            return day;
    }
    return now.date();
}

SevenDaySummary lastSevenDays(const QList<DailyStatRow>& rows, const QDate& today,
                              qint64 entryCount)
{
    SevenDaySummary s;
    const QDate windowStart = today.addDays(-6);
    std::optional<int> baseline;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (it->Total != -1)
            baseline = it->Total;
        if (it->Date < windowStart) {
            if (baseline)
                break;
            continue;
        }
        s.subscribes += it->Subscribes;
        s.unsubscribes += it->Unsubscribes;
        s.bounces += it->Bounces;
    }
    s.movement = baseline ? entryCount - *baseline : 0;
    return s;
}

QString movementText(qint64 movement)
{
    return movement > 0 ? "+" + QString::number(movement) : QString::number(movement);
}

QList<ListSizeBar> listSizeSeries(const QList<DailyStatRow>& rows, const QDate& today)
{
    QList<ListSizeBar> bars;
    std::optional<QDate> lastBar;
    bool zeroSeen = true;
    for (const auto& row : rows) {
        if (lastBar && row.Date <= lastBar->addDays(6))
            continue;
        if (row.Total == -1)
            continue;
        lastBar = row.Date;
        if (row.Date < today.addDays(-728))
            continue;
        if (row.Total != 0) {
            zeroSeen = false;
        } else if (zeroSeen) {
            continue;
        } else {
            zeroSeen = true;
        }
        bars.push_back({row.Date, row.Total});
    }
    return bars;
}
