#include "ListViewFixture.h"
#include "reports/EntriesGridModel.h"
#include "reports/GridColumns.h"

#include <QAbstractItemModelTester>

namespace {
class GridModel : public ListViewFixture {
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        Transaction t(db->database().connection());
        // Inserted out of E-mail order, so natural and E-mail order differ.
        for (int i = 0; i < kRows; ++i) {
            Entry e;
            const int n = (i * 7919) % kRows;
            e.Item = QString("user%1@example.test").arg(n, 5, 10, QChar('0'));
            // Sorted without regard to case: bob, Zoë, ärne (a letter beyond ASCII after z).
            e.Name = QString(n % 3 == 0 ? "Zoë %1" : n % 3 == 1 ? "ärne %1" : "bob %1").arg(n);
            e.Bounces = n % 9;
            e.Tagged = n % 2 == 0;
            insert(e);
        }
        t.commit();
    }
    QStringList column(const EntriesGridModel& m, int col, int from, int to) const
    {
        QStringList out;
        for (int r = from; r < to; ++r)
            out << m.index(r, col).data().toString();
        return out;
    }
    static constexpr int kRows = 3000;
    const int name = gridColumnOf("Name");
    const int bounces = gridColumnOf("Bounces");
    const int tagged = gridColumnOf("Tagged");
};
}  // namespace

TEST_F(GridModel, PassesTheModelTesterWithAndWithoutTheCacheLimit)
{
    for (int limit : {0, 500}) {
        EntriesGridModel model;
        model.setCacheLimit(limit);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.reset(&db->database());
        EXPECT_EQ(model.rowCount(), kRows);
        EXPECT_EQ(model.columnCount(), 18);
        EXPECT_TRUE(model.toggleSort(name));
        model.reset(&db->database(), parseFilter("Bounces > 6"));
        EXPECT_EQ(model.rowCount(), count("Bounces > 6"));
        model.reset(nullptr);
        EXPECT_EQ(model.rowCount(), 0);
    }
}

TEST_F(GridModel, WithTheCacheLimitRowsComeInWindowsInTheTablesOrder)
{
    EntriesGridModel model;
    model.setCacheLimit(500);
    model.reset(&db->database());
    // The table's own order: the order of insertion.
    EXPECT_EQ(model.entryAt(1).Item, "user01919@example.test");
    EXPECT_EQ(model.entryAt(2).Item, "user00838@example.test");
    EXPECT_LT(model.entryIndex(0), model.entryIndex(1));
    EXPECT_LT(model.entryIndex(2998), model.entryIndex(2999));
    EXPECT_LT(model.entryIndex(1000), model.entryIndex(1001));
    // Sorted through the Name index, then back to the table's order.
    EXPECT_TRUE(model.toggleSort(name));
    EXPECT_TRUE(model.index(0, name).data().toString().startsWith("bob"));
    EXPECT_TRUE(model.index(1500, name).data().toString().startsWith("Zoë"));
    EXPECT_TRUE(model.index(2999, name).data().toString().startsWith("ärne"));
    const QStringList far = column(model, name, 2100, 2103);  // another window
    EXPECT_TRUE(far[0] < far[1] && far[1] < far[2]) << far.join(",").toStdString();
    EXPECT_TRUE(model.toggleSort(name));
    EXPECT_EQ(model.sortColumn(), -1);
    // A column without an index cannot be sorted here.
    EXPECT_FALSE(model.toggleSort(gridColumnOf("Comments")));
}

TEST_F(GridModel, WithoutTheLimitItSortsBothWaysItself)
{
    EntriesGridModel model;
    model.reset(&db->database());
    EXPECT_EQ(model.index(0, 0).data().toString(), "user00000@example.test");
    EXPECT_TRUE(model.toggleSort(bounces));
    EXPECT_EQ(model.index(0, bounces).data().toInt(), 0);
    EXPECT_EQ(model.index(kRows - 1, bounces).data().toInt(), 8);
    EXPECT_TRUE(model.toggleSort(bounces));
    EXPECT_EQ(model.sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(model.index(0, bounces).data().toInt(), 8);
    EXPECT_TRUE(model.toggleSort(gridColumnOf("Comments")));  // any column, in memory
    EXPECT_TRUE(model.toggleSort(name));
    EXPECT_TRUE(model.index(0, name).data().toString().startsWith("bob"));
    EXPECT_TRUE(model.index(1500, name).data().toString().startsWith("Zoë"));
    EXPECT_TRUE(model.index(2999, name).data().toString().startsWith("ärne"));
}

TEST_F(GridModel, AFlagClickSavesTheEntryAndEditingNeedsTheSwitch)
{
    for (int limit : {0, 500}) {
        EntriesGridModel model;
        model.setCacheLimit(limit);
        model.reset(&db->database());
        const QModelIndex flag = model.index(1234, tagged);
        const bool was = flag.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        EXPECT_TRUE(model.toggleFlag(flag));
        EXPECT_EQ(entries().byIndex(model.entryIndex(1234))->Tagged, !was);
        EXPECT_EQ(flag.data(Qt::CheckStateRole).toInt() == Qt::Checked, !was);
        EXPECT_FALSE(model.toggleFlag(model.index(1234, name)));

        const QModelIndex cell = model.index(77, name);
        EXPECT_FALSE(model.setData(cell, "Edited", Qt::EditRole));
        model.setEditing(true);
        EXPECT_TRUE(model.flags(cell) & Qt::ItemIsEditable);
        EXPECT_TRUE(model.setData(cell, "Edited", Qt::EditRole));
        EXPECT_EQ(entries().byIndex(model.entryIndex(77))->Name, "Edited");
        EXPECT_EQ(model.displayText(77, tagged), model.entryAt(77).Tagged ? "True" : "False");
    }
}
