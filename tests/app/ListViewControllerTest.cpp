#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Home {
    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{Folders::forApplication(dir.path()), ui};
    AppController controller{session};

    void open()
    {
        ui.answer(Ui::Answer::Yes);
        ASSERT_TRUE(session.db.OpenDatabase("%"));
        session.settings.Cats = {"default", "news"};
        for (const char* group : {"default", "news", "news"}) {
            Entry e;
            e.Item = QString("%1%2@example.test").arg(group).arg(session.db.database().entries().count());
            e.Category = group;
            session.db.database().entries().insert(e);
        }
    }
};
}  // namespace

TEST(ListViewController, TheModalWorkStateNestsAndRestartsTheCheckTimerOnce)
{
    Home h;
    h.open();
    h.session.settings.AutoScanDelayed = true;
    h.controller.timers().CommenceTimer();
    ASSERT_TRUE(h.controller.timers().tmrGetEntries.isActive());
    h.controller.newformpreparation(true);
    h.controller.newformpreparation(true);
    EXPECT_FALSE(h.controller.timers().tmrGetEntries.isActive());
    h.controller.newformpreparation(false);
    EXPECT_FALSE(h.controller.timers().tmrGetEntries.isActive());
    h.controller.newformpreparation(false);
    EXPECT_TRUE(h.controller.timers().tmrGetEntries.isActive());
}

TEST(ListViewController, ARestoredGroupViewTicksItsGroupsAndCounts)
{
    Home h;
    h.open();
    h.controller.SetCurrentMode("2(Category = 'news')");
    EXPECT_EQ(h.controller.listChoices.tickedGroups, QList<bool>({false, true}));
    h.controller.tbcDatabaseChange(AllMailingListTab);
    EXPECT_EQ(h.controller.countLine(), "  3 Records");
    h.controller.tbcDatabaseChange(SelectGroupsTab);
    EXPECT_EQ(h.controller.entriesFilter(), "(Category = 'news')");
    EXPECT_EQ(h.controller.countLine(), "  Found 2 Records.  Total DB Records: 3");
    EXPECT_EQ(h.controller.GetModeEntriesText(), "Contacts from Selected Groups");
}

TEST(ListViewController, SearchHitsBecomeTheSearchTabsView)
{
    Home h;
    h.open();
    h.controller.tbcDatabaseChange(SearchTab);
    EXPECT_TRUE(h.controller.btnSearchClick({1, "NEWS", false, false}));
    EXPECT_EQ(h.controller.entriesFilter(), "SearchHit = TRUE");
    EXPECT_EQ(h.controller.countLine(), "  Found 2 Records.  Total DB Records: 3");
    EXPECT_EQ(h.session.currentMode, "3SearchHit = TRUE");
}
