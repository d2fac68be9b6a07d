#include "MainWindowFixture.h"
#include "settings/IniFile.h"
#include "store/EntriesTable.h"

#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
using Window = MainWindowFixture;

const QString kGroupsHint =
    "You have not added any groups to your Group List.  Groups allow you to categorize your "
    "mailing list and send messages only to specific users.  You can specify your groups under "
    "View|Options.";
}  // namespace

TEST(MainWindow, ShowsWithCaptionAndFiveTabs)
{
    Window w;
    w.show();
    EXPECT_EQ(w.window->windowTitle(),
              "Corvanel  (Database: " + w.session.folders.defaultDatabasePath() + ")");
    auto* tabs = w.find<QTabBar>("tbcDatabase");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0), "Information");
    EXPECT_EQ(tabs->tabText(1), "All Mailing List");
    EXPECT_EQ(tabs->tabText(2), "Select Groups");
    EXPECT_EQ(tabs->tabText(3), "Search Mailing List");
    EXPECT_EQ(tabs->tabText(4), "Other");
    EXPECT_EQ(w.find<QLabel>("lblDBName")->text(), "Default Database");
}

TEST(MainWindow, TabsSwitchPanels)
{
    Window w;
    w.show();
    auto* tabs = w.find<QTabBar>("tbcDatabase");
    EXPECT_TRUE(w.visible("pnlInformation"));
    EXPECT_FALSE(w.visible("dxDBGrid1"));
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(w.visible("pnlInformation"));
    EXPECT_TRUE(w.visible("dxDBGrid1"));
    EXPECT_TRUE(w.visible("pnlStatus"));
    EXPECT_EQ(w.controller.currentTab(), 1);
    tabs->setCurrentIndex(3);
    EXPECT_TRUE(w.visible("pnlSearch"));
    EXPECT_FALSE(w.visible("pnlGroups"));
    EXPECT_EQ(w.find<QLabel>("lblModeEntries")->text(), "Contacts from Current Search");
    tabs->setCurrentIndex(2);
    EXPECT_TRUE(w.visible("pnlGroups"));
    EXPECT_TRUE(w.ui.sawText(kGroupsHint));
}

TEST(MainWindow, WithTheCacheLimitTheGridReadsWindowsOfRows)
{
    Window w;
    w.show();
    {
        Transaction t(w.session.db.database().connection());
        for (int i = 0; i < 1200; ++i) {
            Entry e;
            e.Item = QString("user%1@example.test").arg(i, 5, 10, QChar('0'));
            e.Category = "default";
            w.session.db.database().entries().insert(e);
        }
        t.commit();
    }
    w.session.settings.LimitDBCache = true;
    w.session.settings.DBCacheSize = 100;
    w.controller.SetLoadAllRecords();
    w.find<QTabBar>("tbcDatabase")->setCurrentIndex(1);
    auto* grid = w.find<QTableView>("dxDBGrid1");
    EXPECT_EQ(grid->model()->rowCount(), 1200);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "user00000@example.test");
    EXPECT_EQ(grid->model()->index(1199, 0).data().toString(), "user01199@example.test");
}

TEST(MainWindow, ClosingWritesSettingsAndPlacement)
{
    Window w;
    w.show();
    w.window->close();
    IniFile ini;
    ASSERT_TRUE(ini.load(w.session.folders.config + "Settings.ini"));
    EXPECT_EQ(ini.value("Database", "DBPath").value_or(""), "%\\DB");
    EXPECT_FALSE(w.layout.windowGeometry().isEmpty());
}

TEST(MainWindow, CloseWithoutAskingSkipsTheScheduledSendQuestion)
{
    Window w;
    w.show();
    w.controller.timers().scheduledSendDelta = [] { return qint64(90000); };
    w.controller.timers().CommenceTimer();
    EXPECT_FALSE(w.find<QWidget>("imgSchedule")->isHidden());
    w.window->closeWithoutAsking();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_FALSE(w.ui.sawText("You have a scheduled sending which has not completed.  Are you "
                              "sure you want to exit?"));
    IniFile ini;
    ASSERT_TRUE(ini.load(w.session.folders.config + "Settings.ini"));
    EXPECT_EQ(ini.value("Database", "DBPath").value_or(""), "%\\DB");
}
