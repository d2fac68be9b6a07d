#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// One day's row of "mailstat.dat".
struct DailyStatRow {
    QDate Date;
    int Subscribes = 0;
    int Unsubscribes = 0;
    int Bounces = 0;
    int Total = -1;  // -1: never recorded on that day
};

// Statistics record kinds.
enum StatKind { StatSubscribe = 1, StatUnsubscribe = -1, StatBounce = 9, StatRefresh = -9 };

// The day an event counts for: the date of its text when that lies between day
// 29700 (24 April 1981) and now, else today.
QDate statisticsDay(const QString& dateText, const QDateTime& now);

struct SevenDaySummary {
    int subscribes = 0;
    int unsubscribes = 0;
    int bounces = 0;
    qint64 movement = 0;
};

// Today and the six days before it; rows oldest first. Movement is measured
// against the newest total recorded before the window, else the oldest inside it.
SevenDaySummary lastSevenDays(const QList<DailyStatRow>& rows, const QDate& today,
                              qint64 entryCount);
// "+3", "0", "-2"
QString movementText(qint64 movement);

struct ListSizeBar {
    QDate day;
    int total = 0;
};

// At most one bar a week over the last 728 days; leading zeros and repeated zeros
// are left out. Rows oldest first.
QList<ListSizeBar> listSizeSeries(const QList<DailyStatRow>& rows, const QDate& today);
