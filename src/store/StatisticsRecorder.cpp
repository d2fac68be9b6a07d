#include "store/StatisticsRecorder.h"

#include "store/Database.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"

#include <exception>

namespace {

QString statisticsTable()
{
    return TableSchema::table(TableId::Statistics).sqlName;
}

QString groupStatisticsTable()
{
    return TableSchema::table(TableId::GroupStatistics).sqlName;
}

// The daily column a kind counts in; empty for the refresh kind.
QString dailyColumn(int kind)
{
    switch (kind) {
    case StatSubscribe: return QStringLiteral("Subscribes");
    case StatUnsubscribe: return QStringLiteral("Unsubscribes");
    case StatBounce: return QStringLiteral("Bounces");
    default: return {};
    }
}

}  // namespace

StatisticsRecorder::StatisticsRecorder(Database& database, std::function<qint64()> entryCount,
                                       Clock clock)
    : database_(database), entryCount_(std::move(entryCount)), clock_(std::move(clock))
{
    if (!clock_)
        clock_ = [] { return QDateTime::currentDateTime(); };
}

void StatisticsRecorder::AddStatRecord(int kind, const QString& dateText, const QString& group)
{
    try {
        if (!database_.isOpen(TableId::Statistics))
            return;
        writeDay(kind, statisticsDay(dateText, clock_()), group, 1);
    } catch (const std::exception&) {
        // A count that cannot be written is lost; the page shows the counters.
    }
    UpdateWeeklyStatsDisplay();
}

void StatisticsRecorder::AddStatRecords(int kind, const QString& group, int count)
{
    try {
        if (count > 0 && database_.isOpen(TableId::Statistics))
            writeDay(kind, clock_().date(), group, count);
    } catch (const std::exception&) {
        // As for one record: the counts are lost, the work goes on.
    }
}

void StatisticsRecorder::writeDay(int kind, const QDate& day, const QString& group, int count)
{
    SqliteConnection& db = database_.connection();
    const QString table = statisticsTable();
    // The day row and the group row change together or not at all.
    Transaction transaction(db);

    // One statement makes the day's row or counts in it: every request of a
    // check run records here, and each statement is prepared once per connection.
    const QString column = dailyColumn(kind);
    const bool today = day == clock_().date();
    QStringList assignments;
    if (!column.isEmpty())
        assignments << column + " = COALESCE(" + column + ", 0) + ?3";
    if (today)
        assignments << QStringLiteral("Total = excluded.Total");
    const auto first = [&](const char* name) { return column == QLatin1String(name) ? "?3" : "0"; };
    Statement& record = db.cached(QStringLiteral("INSERT INTO %1 (Date, Subscribes, Unsubscribes, Bounces, Total)"
                                                 " VALUES (?1, %2, %3, %4, ?2) ON CONFLICT (Date) DO ")
                                      .arg(table, first("Subscribes"), first("Unsubscribes"), first("Bounces"))
                                  + (assignments.isEmpty() ? QStringLiteral("NOTHING")
                                                           : "UPDATE SET " + assignments.join(", ")));
    record.bind(1, day);
    record.bind(2, today ? entryCount_() : qint64(-1));
    if (!column.isEmpty())
        record.bind(3, count);
    record.run();
    record.reset();

    if (kind == StatSubscribe && !group.isEmpty() && database_.isOpen(TableId::GroupStatistics)) {
        // The unique (Date, Category) index compares the group without regard to case.
        Statement& groupCount = db.cached("INSERT INTO " + groupStatisticsTable()
                                     + " (Date, Category, Count) VALUES (?1, ?2, ?3) ON CONFLICT (Date, Category)"
                                       " DO UPDATE SET Count = COALESCE(Count, 0) + ?3");
        groupCount.bind(1, day).bind(2, group).bind(3, count);
        groupCount.run();
        groupCount.reset();
    }
    transaction.commit();

    switch (kind) {
    case StatSubscribe: counters.subscribes += count; break;
    case StatUnsubscribe: counters.unsubscribes += count; break;
    case StatBounce: counters.bounces += count; break;
    default: break;
    }
}

std::function<void()> StatisticsRecorder::refreshHook()
{
    return [this] { AddStatRecord(StatRefresh, {}, {}); };
}

void StatisticsRecorder::UpdateWeeklyStatsDisplay()
{
    if (displayChanged)
        displayChanged();
}

QList<DailyStatRow> readDailyStatRows(Database& database)
{
    QList<DailyStatRow> rows;
    Statement read(database.connection(),
                   "SELECT Date, Subscribes, Unsubscribes, Bounces, Total FROM " + statisticsTable()
                       + " ORDER BY Date");
    while (read.step()) {
        DailyStatRow row;
        row.Date = dateFromIso(read.text(0));
        row.Subscribes = read.isNull(1) ? 0 : read.integer(1);
        row.Unsubscribes = read.isNull(2) ? 0 : read.integer(2);
        row.Bounces = read.isNull(3) ? 0 : read.integer(3);
        row.Total = read.isNull(4) ? -1 : read.integer(4);
        rows << row;
    }
    return rows;
}
