#include "store/StatisticsFigures.h"

#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 12, 8);

DailyStatRow row(int daysAgo, int subs, int unsubs, int bounces, int total)
{
    return {kToday.addDays(-daysAgo), subs, unsubs, bounces, total};
}

} // namespace

TEST(StatisticsDay, AcceptsOnlyDatesBetween1981AndNow)
{
    const QDateTime now(kToday, QTime(12, 0));
    EXPECT_EQ(statisticsDay("2026-12-01T09:30:00", now), QDate(2026, 12, 1));
    EXPECT_EQ(statisticsDay("Tue, 01 Dec 2026 09:30:00 +0000", now), QDate(2026, 12, 1));
    EXPECT_EQ(statisticsDay("1981-04-24T00:00:00", now), QDate(1981, 4, 24));
    // Before day 29700, in the future, empty or unparsable: today.
    EXPECT_EQ(statisticsDay("1981-04-23T23:59:00", now), kToday);
    EXPECT_EQ(statisticsDay("1970-01-01T00:00:00", now), kToday);
    EXPECT_EQ(statisticsDay("2027-01-01T00:00:00", now), kToday);
    EXPECT_EQ(statisticsDay("", now), kToday);
    EXPECT_EQ(statisticsDay("not a date", now), kToday);
}

TEST(LastSevenDays, SumsTheWindowAndMeasuresAgainstTheTotalBeforeIt)
{
    const QList<DailyStatRow> rows = {row(20, 9, 9, 9, 50), row(8, 1, 0, 0, 90),
                                      row(6, 2, 1, 1, 95), row(0, 3, 0, 2, -1)};
    const auto s = lastSevenDays(rows, kToday, 100);
    EXPECT_EQ(s.subscribes, 5);
    EXPECT_EQ(s.unsubscribes, 1);
    EXPECT_EQ(s.bounces, 3);
    EXPECT_EQ(s.movement, 10);  // against day -8's total, not the older 50
}

TEST(LastSevenDays, BaselineFallsBackToOldestTotalInsideWindow)
{
    // Only rows within the last six days: the oldest recorded total is the baseline.
    const QList<DailyStatRow> rows = {row(5, 1, 0, 0, 40), row(3, 1, 0, 0, 42),
                                      row(1, 1, 0, 0, 44)};
    EXPECT_EQ(lastSevenDays(rows, kToday, 45).movement, 5);
    // An earlier row without a total does not stop the walk; the next older one with a total does.
    const QList<DailyStatRow> older = {row(30, 0, 0, 0, 10), row(10, 0, 0, 0, -1),
                                       row(2, 4, 0, 0, -1)};
    const auto s = lastSevenDays(older, kToday, 14);
    EXPECT_EQ(s.subscribes, 4);
    EXPECT_EQ(s.movement, 4);
    EXPECT_EQ(lastSevenDays({row(2, 1, 0, 0, -1)}, kToday, 14).movement, 0);
}

TEST(LastSevenDays, MovementText)
{
    EXPECT_EQ(movementText(3), "+3");
    EXPECT_EQ(movementText(0), "0");
    EXPECT_EQ(movementText(-2), "-2");
}

TEST(ListSizeSeries, LeavesOutLeadingAndRepeatedZeros)
{
    QList<DailyStatRow> rows;
    const int totals[] = {0, 0, 5, 0, 0, 7};
    for (int i = 0; i < 6; ++i)
        rows << row(7 * (5 - i), 0, 0, 0, totals[i]);
    const auto bars = listSizeSeries(rows, kToday);
    ASSERT_EQ(bars.size(), 3);
    EXPECT_EQ(bars[0].total, 5);
    EXPECT_EQ(bars[1].total, 0);
    EXPECT_EQ(bars[1].day, kToday.addDays(-14));
    EXPECT_EQ(bars[2].total, 7);
}

TEST(ListSizeSeries, OneBarAWeekSkipsUnrecordedAndOldDays)
{
    const QList<DailyStatRow> rows = {
        row(800, 0, 0, 0, 3),  // older than 728 days: no bar, but starts the week
        row(796, 0, 0, 0, 4),  // same week as the last bar day: skipped
        row(700, 0, 0, 0, -1), // never recorded: skipped
        row(699, 0, 0, 0, 8),  row(695, 0, 0, 0, 9), row(692, 0, 0, 0, 10)};
    const auto bars = listSizeSeries(rows, kToday);
    ASSERT_EQ(bars.size(), 2);
    EXPECT_EQ(bars[0].total, 8);
    EXPECT_EQ(bars[1].total, 10);
}
