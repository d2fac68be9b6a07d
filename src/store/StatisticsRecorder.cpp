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
        writeDay(kind, statisticsDay(dateText, clock_()), group);
    } catch (const std::exception&) {
        // A count that cannot be written is lost; the page shows the counters.
    }
    UpdateWeeklyStatsDisplay();
}

void StatisticsRecorder::writeDay(int kind, const QDate& day, const QString& group)
{
    SqliteConnection& db = database_.connection();
    const QString table = statisticsTable();
    // The day row and the group row change together or not at all.
    Transaction transaction(db);

    // Prepared once per connection: every request of a check run records here.
    Statement& find = db.cached("SELECT COUNT(*) FROM " + table + " WHERE Date = ?");
    find.bind(1, day);
    find.step();
    const bool missing = find.integer(0) == 0;
    find.reset();
    if (missing) {
        Statement& insert = db.cached("INSERT INTO " + table
                                      + " (Date, Subscribes, Unsubscribes, Bounces, Total)"
                                        " VALUES (?, 0, 0, 0, -1)");
        insert.bind(1, day);
        insert.run();
        insert.reset();
    }

    QStringList assignments;
    const QString column = dailyColumn(kind);
    if (!column.isEmpty())
        assignments << column + " = COALESCE(" + column + ", 0) + 1";
    const bool today = day == clock_().date();
    if (today)
        assignments << QStringLiteral("Total = ?");
    if (!assignments.isEmpty()) {
        Statement& update = db.cached("UPDATE " + table + " SET " + assignments.join(", ")
                                      + " WHERE Date = ?");
        int parameter = 1;
        if (today)
            update.bind(parameter++, entryCount_());
        update.bind(parameter, day);
        update.run();
        update.reset();
    }

    if (kind == StatSubscribe && !group.isEmpty() && database_.isOpen(TableId::GroupStatistics)) {
        const QString groups = groupStatisticsTable();
        Statement& increase = db.cached("UPDATE " + groups + " SET Count = COALESCE(Count, 0) + 1"
                                        " WHERE Date = ? AND Category = ? COLLATE " + kUnicodeNoCase);
        increase.bind(1, day).bind(2, group);
        const int increased = increase.run();
        increase.reset();
        if (increased == 0) {
            Statement& insert = db.cached("INSERT INTO " + groups + " (Date, Category, Count) VALUES (?, ?, 1)");
            insert.bind(1, day).bind(2, group);
            insert.run();
            insert.reset();
        }
    }
    transaction.commit();

    switch (kind) {
    case StatSubscribe: ++counters.subscribes; break;
    case StatUnsubscribe: ++counters.unsubscribes; break;
    case StatBounce: ++counters.bounces; break;
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
