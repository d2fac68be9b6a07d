#include "ListViewFixture.h"
#include "reports/EntrySearch.h"
#include "reports/ViewFilters.h"

namespace {
class Search : public ListViewFixture {
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        add("j1@example.test", "jürgen Weiß");
        add("j2@example.test", "JÜRGEN Berg");
        add("m@example.test", "Maria Jürgens");
        add("x@example.test", "");
    }
    int field(const QString& caption) { return int(searchFieldCaptions().indexOf(caption)); }
    // Runs a search and returns the hits, in E-mail order.
    QStringList search(const QString& caption, const QString& text, bool matchCase, bool within = false)
    {
        shownAfterSearch = -1;
        EXPECT_TRUE(btnSearchClick(*ctx, {field(caption), text, matchCase, within},
                                   [this] { return shownAfterSearch = count(kSearchHitFilter); }));
        return itemsWhere(kSearchHitFilter);
    }
    qint64 shownAfterSearch = -1;
};
}  // namespace

TEST_F(Search, WithoutMatchCaseUpperCasesBeyondAscii)
{
    EXPECT_EQ(search("Full Name", "JÜRGEN", false),
              QStringList({"j1@example.test", "j2@example.test", "m@example.test"}));
    EXPECT_EQ(shownAfterSearch, 3);
    EXPECT_EQ(search("Full Name", "jürgen", true), QStringList({"j1@example.test"}));
}

TEST_F(Search, WithinResultsNarrowsTheHitsWithTheSameCaseRule)
{
    search("Full Name", "Jürgen", false);
    EXPECT_EQ(search("Full Name", "BERG", false, true), QStringList({"j2@example.test"}));
    search("Full Name", "Jürgen", true);  // only Maria's entry has this case
    EXPECT_EQ(search("Full Name", "ürgens", true, true), QStringList({"m@example.test"}));
    EXPECT_EQ(search("Full Name", "Ürgens", true, true), QStringList());
}

TEST_F(Search, ANewSearchForgetsTheLastHits)
{
    search("Full Name", "Maria", false);
    EXPECT_EQ(search("E-mail", "j2", false), QStringList({"j2@example.test"}));
}

TEST_F(Search, AnEmptyTextFindsEmptyFieldsAndNarrowsToThem)
{
    EXPECT_EQ(search("Full Name", "", false), QStringList({"x@example.test"}));
    search("E-mail", "example", false);
    EXPECT_EQ(search("Company", "", false, true).size(), 4);
    EXPECT_EQ(search("Full Name", "", false, true), QStringList({"x@example.test"}));
}

TEST_F(Search, UserTextIsOnlyEverAValue)
{
    EXPECT_EQ(search("E-mail", "') OR 1=1 --", false), QStringList());
    EXPECT_EQ(entries().count(), 4);
}

TEST_F(Search, NoFieldDoesNothingAndTheStepsAreLogged)
{
    settings.DebugLogging = true;
    EXPECT_FALSE(btnSearchClick(*ctx, {-1, "x", false, false}, {}));
    EXPECT_TRUE(ui.shown.isEmpty());
    search("City", "Paris", false);
    QStringList lines;
    for (const QString& line : readTextLines(folders.application + "Debuglog.txt").value_or(QStringList()))
        if (line.contains("[btnSearchClick]"))
            lines << line.mid(line.indexOf("DEBUG:"));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.front(), "DEBUG: [btnSearchClick] Commence");
    EXPECT_TRUE(lines[1].startsWith("DEBUG: [btnSearchClick] SQL=UPDATE mailist"));
    EXPECT_EQ(lines[3], "DEBUG: [btnSearchClick] Unfiltered Count: 4");
    EXPECT_EQ(lines[4], "DEBUG: [btnSearchClick] Filtered Count: 0");
    EXPECT_EQ(lines.back(), "DEBUG: [btnSearchClick] End");
}

TEST_F(Search, AnExclusiveDatabaseRefusesToSearch)
{
    db->database().close();
    db->database().setFolder(folder, true, false);
    for (TableId table : kOpenOrder)
        db->database().openTable(table);
    EXPECT_FALSE(btnSearchClick(*ctx, {0, "j", false, false}, {}));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.startsWith("You cannot perform a search because database access is set to exclusive."));
}
