#include "ListViewFixture.h"
#include "reports/ListViewChoices.h"
#include "reports/ViewFilters.h"
#include "store/SqlFilter.h"

namespace {
class ViewFilters : public ListViewFixture {
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        add("a@example.test", "A", "default");
        add("b@example.test", "B", "O'Brien");
        add("c@example.test", "C", "news");
        add("d@example.test", "D", "");
    }
    const QStringList groups{"default", " O'Brien ", "news"};
};
}  // namespace

TEST_F(ViewFilters, DisplayedGroupsAreJoinedByOrAndAQuoteInANameStaysText)
{
    const QString filter = groupFilterText(groups, {false, true, true}, true);
    EXPECT_EQ(filter, "(Category = 'O''Brien') OR (Category = 'news')");
    EXPECT_EQ(itemsWhere(filter), QStringList({"b@example.test", "c@example.test"}));
}

TEST_F(ViewFilters, HiddenGroupsAreJoinedByAndAndKeepEntriesWithoutAGroup)
{
    const QString filter = groupFilterText(groups, {true, true, false}, false);
    EXPECT_EQ(filter, "(Category <> 'default') AND (Category <> 'O''Brien')");
    EXPECT_EQ(itemsWhere(filter), QStringList({"c@example.test", "d@example.test"}));
}

TEST_F(ViewFilters, HidingWithNothingTickedShowsEveryEntry)
{
    const QString filter = groupFilterText(groups, {false, false, false}, false);
    EXPECT_TRUE(filter.isEmpty());
    EXPECT_EQ(itemsWhere(filter).size(), 4);
}

TEST_F(ViewFilters, AStoredGroupFilterTicksItsGroupsAgain)
{
    ListViewChoices choices;
    choices.readGroupFilter(groupFilterText(groups, {false, true, true}, false), groups);
    EXPECT_FALSE(choices.displayGroups);
    EXPECT_EQ(choices.tickedGroups, QList<bool>({false, true, true}));
}

TEST_F(ViewFilters, FrequentBouncesFollowTheBounceLimit)
{
    for (int bounces : {3, 4, 5, 6})
        insert([&] {
            Entry e;
            e.Item = QString("bounce%1@example.test").arg(bounces);
            e.Bounces = bounces;
            return e;
        }());
    const QDateTime now = QDateTime::currentDateTime();
    settings.BounceRemoval = true;
    settings.BounceMax = 10;
    EXPECT_EQ(otherViewFilterText(OtherView::FrequentBounces, settings, now), "Bounces > 5");
    EXPECT_EQ(count("Bounces > 5"), 1);
    settings.BounceMax = 4;
    EXPECT_EQ(otherViewFilterText(OtherView::FrequentBounces, settings, now), "Bounces > 3");
    EXPECT_EQ(count(otherViewFilterText(OtherView::FrequentBounces, settings, now)), 3);
    settings.BounceMax = 13;
    EXPECT_EQ(otherViewFilterText(OtherView::FrequentBounces, settings, now), "Bounces > 6");
    settings.BounceRemoval = false;
    EXPECT_EQ(otherViewFilterText(OtherView::FrequentBounces, settings, now), "Bounces > 5");
}

TEST_F(ViewFilters, TheOtherViewsSelectTheirEntries)
{
    const QDateTime now = QDateTime::currentDateTime();
    Entry fresh;
    fresh.Item = "new@example.test";
    fresh.NewUser = true;
    fresh.Tagged = true;
    fresh.SendRights = false;
    fresh.InsertDate = now.addDays(-1);
    insert(fresh);
    Entry old;
    old.Item = "old@example.test";
    old.InsertDate = now.addDays(-8);
    insert(old);
    const auto items = [&](OtherView v) { return itemsWhere(otherViewFilterText(v, settings, now)); };
    EXPECT_EQ(items(OtherView::NewEntries), QStringList{"new@example.test"});
    EXPECT_EQ(items(OtherView::Tagged), QStringList{"new@example.test"});
    EXPECT_EQ(items(OtherView::NoSendingRights), QStringList{"new@example.test"});
    EXPECT_EQ(items(OtherView::LastSevenDays), QStringList{"new@example.test"});
    ListViewChoices choices;
    choices.readOtherFilter(otherViewFilterText(OtherView::LastSevenDays, settings, now.addDays(-3)), settings);
    EXPECT_EQ(choices.other, OtherView::LastSevenDays);
}

TEST(CountLine, ShowsTheFoundAndTheRememberedTotal)
{
    EXPECT_EQ(countLineText(12, false, 12), "  12 Records");
    EXPECT_EQ(countLineText(3, true, 12), "  Found 3 Records.  Total DB Records: 12");
}

TEST_F(ViewFilters, TheBigDatabaseAdviceIsAskedOnceAndSetsTheLimit)
{
    adviseCacheLimit(settings, ui, 8000);
    EXPECT_TRUE(ui.shown.isEmpty());
    ui.answer(Ui::Answer::Yes);
    adviseCacheLimit(settings, ui, 8001);
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.startsWith("Your database is quite large"));
    EXPECT_TRUE(settings.LimitDBCache);
    EXPECT_EQ(settings.DBCacheSize, 2000);
    EXPECT_TRUE(settings.ShownBigDBWarning);
    settings.LimitDBCache = false;
    adviseCacheLimit(settings, ui, 9000);
    EXPECT_EQ(ui.shown.size(), 1);
}
