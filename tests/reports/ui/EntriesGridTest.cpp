#include "reports/EntriesGridModel.h"
#include "reports/GridColumns.h"
#include "reports/ui/ColumnSelector.h"
#include "reports/ui/EntriesGrid.h"
#include "settings/GridLayoutStore.h"
#include "subscriptions/ListFixture.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {
class Grid : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        for (const char* item : {"b@example.test", "a@example.test", "c@example.test"}) {
            Entry e;
            e.Item = item;
            e.Name = QString("Name of ") + item;
            e.Category = "default";
            entries().insert(e);
        }
        grid.resize(800, 300);
        grid.showEntries(&db->database(), {});
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint cellCentre(int row, int column)
    {
        return grid.visualRect(grid.model()->index(row, column)).center();
    }
    EntriesGrid grid;
};
}  // namespace

TEST_F(Grid, OffersTheShownColumnsInDisplayOrderWithTheirTexts)
{
    EXPECT_EQ(grid.visibleHeadings(), QStringList({"E-mail", "Full Name", "Group", "Bounces"}));
    grid.horizontalHeader()->moveSection(2, 0);  // Group first
    grid.removeColumn(gridColumnOf("Name"));
    grid.setColumnHidden(gridColumnOf("Tagged"), false);
    EXPECT_EQ(grid.visibleHeadings(), QStringList({"Group", "E-mail", "Bounces", "Tagged"}));
    EXPECT_EQ(grid.rowValues(0), QStringList({"default", "a@example.test", "0", "False"}));
}

TEST_F(Grid, TheLayoutComesBackFromTheStore)
{
    QTemporaryDir layoutDir;
    GridLayoutStore store(layoutDir.path() + "/layout.conf");
    grid.horizontalHeader()->moveSection(3, 0);
    grid.setColumnHidden(gridColumnOf("City"), false);
    grid.horizontalHeader()->resizeSection(0, 211);
    grid.sortByColumn(gridColumnOf("Item"));
    grid.sortByColumn(gridColumnOf("Item"));  // descending
    grid.saveLayout(store);
    EntriesGrid again;
    again.readLayout(store);
    again.showEntries(&db->database(), {});
    EXPECT_EQ(again.visibleHeadings(), QStringList({"Bounces", "E-mail", "Full Name", "Group", "City"}));
    EXPECT_EQ(again.horizontalHeader()->sectionSize(0), 211);
    EXPECT_EQ(again.rowValues(0)[1], "c@example.test");
    EXPECT_EQ(again.horizontalHeader()->sortIndicatorSection(), gridColumnOf("Item"));
}

TEST_F(Grid, AClickOnAFlagFlipsItOnlyWhileEditingIsOff)
{
    const int tagged = gridColumnOf("Tagged");
    grid.setColumnHidden(tagged, false);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(1, tagged));
    const qint64 index = grid.entriesModel().entryIndex(1);
    EXPECT_TRUE(entries().byIndex(index)->Tagged);
    grid.setEditing(true);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(0, tagged));
    EXPECT_FALSE(entries().byIndex(grid.entriesModel().entryIndex(0))->Tagged);
}

TEST_F(Grid, SelectsWholeRowsAndSortsOnAHeaderClick)
{
    grid.selectRow(0);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(2, 1));
    EXPECT_EQ(grid.selectedEntryIndexes().size(), 2);
    const QHeaderView* header = grid.horizontalHeader();
    const int x = header->sectionViewportPosition(0) + 5;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(grid.rowValues(0).front(), "c@example.test");  // descending after the second click
}

TEST_F(Grid, TheColumnSelectorShowsAndHidesColumns)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ColumnSelector*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>("lbxColumns");
        list->item(gridColumnOf("Country"))->setCheckState(Qt::Checked);
        list->item(gridColumnOf("Item"))->setCheckState(Qt::Unchecked);
        dialog->reject();
    });
    grid.showColumnSelector();
    EXPECT_EQ(grid.visibleHeadings(), QStringList({"Full Name", "Group", "Bounces", "Country"}));
}
