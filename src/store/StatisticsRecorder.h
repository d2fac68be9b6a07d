#pragma once

#include "store/StatisticsFigures.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

class Database;

// The run-time figures of the information page. Subscribes, unsubscribes and
// bounces grow with every recorded event; movement grows with every inserted entry
// and shrinks with every entry an unsubscribe removed. The page recomputes them
// from the tables when it is refreshed.
struct StatisticsCounters {
    int subscribes = 0;
    int unsubscribes = 0;
    int bounces = 0;
    qint64 movement = 0;
};

// Counts membership changes per day in "mailstat.dat" and subscriptions per day
// and group in "mailsubs.dat". Recording never raises and never shows anything:
// statistics must not stop the work that caused them.
class StatisticsRecorder {
public:
    using Clock = std::function<QDateTime()>;

    // entryCount answers the list's current size; clock answers "now" (the local
    // time when not given).
    StatisticsRecorder(Database& database, std::function<qint64()> entryCount, Clock clock = {});

    // kind is a StatKind; group counts only for subscriptions.
    void AddStatRecord(int kind, const QString& dateText, const QString& group);
    // The same for several requests of one kind, group and day at once (a bulk
    // import's batch); the display is not told.
    void AddStatRecords(int kind, const QString& group, int count);

    // The refresh record a save of the database makes (kind -9), for TdmML::recordRefresh.
    std::function<void()> refreshHook();

    // Tells the information page that its figures changed.
    void UpdateWeeklyStatsDisplay();

    StatisticsCounters counters;
    std::function<void()> displayChanged;

private:
    void writeDay(int kind, const QDate& day, const QString& group, int count);

    Database& database_;
    std::function<qint64()> entryCount_;
    Clock clock_;
};

// Every daily row, oldest first, as the figures and the statistics display read
// them. Raises StoreError when the table cannot be read.
QList<DailyStatRow> readDailyStatRows(Database& database);
