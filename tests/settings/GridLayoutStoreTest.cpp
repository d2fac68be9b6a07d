#include "settings/GridLayoutStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

GridLayout designLayout()
{
    GridLayout layout;
    int index = 0;
    for (const QString& name : GridLayoutStore::columnNames()) {
        GridColumnLayout c;
        c.name = name;
        c.Index = index++;
        layout.columns << c;
    }
    return layout;
}

}  // namespace

class GridLayoutStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath("Corvanel.conf"); }
};

TEST_F(GridLayoutStoreTest, NamesTheEighteenGridColumns)
{
    const QStringList& names = GridLayoutStore::columnNames();
    EXPECT_EQ(names.size(), 18);
    EXPECT_EQ(names.first(), "dxDBGrid1Item");
    EXPECT_EQ(names.last(), "dxDBGrid1LastBounce");
    QStringList unique = names;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

TEST_F(GridLayoutStoreTest, ColumnsReadBackWhatWasSaved)
{
    GridLayout saved = designLayout();
    for (qsizetype i = 0; i < saved.columns.size(); ++i) {
        GridColumnLayout& c = saved.columns[i];
        c.Visible = i % 2 == 0;
        c.Index = int(17 - i);
        c.GroupIndex = i == 2 ? 0 : -1;
        c.Width = 40 + int(i) * 5;
        c.Sorted = int(i % 3);
    }
    saved.ShowGroupPanel = true;
    saved.AutoWidth = true;
    {
        GridLayoutStore store(file());
        store.save(saved);
        ASSERT_TRUE(store.sync());
    }

    const GridLayout back = GridLayoutStore(file()).load(designLayout());
    ASSERT_EQ(back.columns.size(), 18);
    for (qsizetype i = 0; i < back.columns.size(); ++i) {
        const GridColumnLayout& got = back.columns[i];
        const GridColumnLayout& want = saved.columns[i];
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.Visible, want.Visible) << want.name.toStdString();
        EXPECT_EQ(got.Index, want.Index) << want.name.toStdString();
        EXPECT_EQ(got.GroupIndex, want.GroupIndex) << want.name.toStdString();
        EXPECT_EQ(got.Width, want.Width) << want.name.toStdString();
        EXPECT_EQ(got.Sorted, want.Sorted) << want.name.toStdString();
    }
    // The grid switches are kept for other tools, not applied from here.
    EXPECT_FALSE(back.ShowGroupPanel);
    QSettings raw(file(), QSettings::NativeFormat);
    EXPECT_TRUE(raw.value("ShowGroupPanel").toBool());
    EXPECT_TRUE(raw.value("AutoWidth").toBool());
    EXPECT_FALSE(raw.value("FlatStyle").toBool());
    EXPECT_EQ(raw.value("dxDBGrid1Name/Width").toInt(), 45);
}

TEST_F(GridLayoutStoreTest, ValuesNeverStoredOrSpoiledKeepTheCurrentState)
{
    {
        QSettings raw(file(), QSettings::NativeFormat);
        raw.setValue("dxDBGrid1City/Width", "wide");
        raw.setValue("dxDBGrid1City/Visible", "perhaps");
        raw.setValue("dxDBGrid1ZIP/Width", 99);
    }
    GridLayout current = designLayout();
    current.columns[10].Width = 77;  // dxDBGrid1City
    const GridLayout back = GridLayoutStore(file()).load(current);
    EXPECT_EQ(back.columns[10].Width, 77);
    EXPECT_TRUE(back.columns[10].Visible);
    EXPECT_EQ(back.columns[12].Width, 99);  // dxDBGrid1ZIP
    EXPECT_EQ(back.columns[12].Index, 12);
}

TEST_F(GridLayoutStoreTest, WindowGeometryIsKeptUnderLayoutMain)
{
    const QByteArray geometry("\x01\xd9\xd0\xcb\x00\x03\x00\x00 geometry", 17);
    {
        GridLayoutStore store(file());
        EXPECT_TRUE(store.windowGeometry().isEmpty());
        store.saveWindowGeometry(geometry);
        ASSERT_TRUE(store.sync());
    }
    EXPECT_EQ(GridLayoutStore(file()).windowGeometry(), geometry);
    EXPECT_EQ(QSettings(file(), QSettings::NativeFormat).value("Layout/Main").toByteArray(),
              geometry);
}
