#include "app/AppController.h"
#include "app/ModeString.h"
#include "app/Session.h"
#include "settings/IniFile.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Home {
    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{Folders::forApplication(dir.path()), ui};
    AppController controller{session};

};

const QString kErrorPrefix = "An error was encountered with your Database:\n\n";
}  // namespace

TEST(Startup, FreshHomeWithYesCreatesTheDefaultDatabaseAndSetsTheCaption)
{
    Home h;
    h.ui.answer(Ui::Answer::Yes);
    h.controller.start();
    h.controller.FormShow();
    EXPECT_TRUE(h.session.db.isOpen());
    EXPECT_TRUE(QFile::exists(h.session.folders.defaultDatabasePath() + "mailist.dat"));
    EXPECT_EQ(h.controller.caption(),
              "Corvanel  (Database: " + h.session.folders.defaultDatabasePath() + ")");
    EXPECT_TRUE(h.controller.mainWindowShown());
    EXPECT_GE(h.ui.splashHidden, 1);
    EXPECT_EQ(h.controller.currentTab(), InformationTab);
}

TEST(Startup, AnsweringNoLeavesNothingOpen)
{
    Home h;
    h.controller.start();
    h.controller.FormShow();
    EXPECT_FALSE(h.session.db.isOpen());
    EXPECT_FALSE(QFile::exists(h.session.folders.defaultDatabasePath() + "mailist.dat"));
    EXPECT_TRUE(h.controller.mainWindowShown());
}

TEST(Startup, CaptionShowsTheApplicationFolderForTheSymbolicFolder)
{
    Home h;
    h.ui.answer(Ui::Answer::Yes);
    ASSERT_TRUE(h.session.db.OpenDatabase("%"));
    EXPECT_EQ(h.controller.caption(),
              "Corvanel  (Database: " + h.session.folders.application + ")");
}

TEST(Modes, DigitSelectsTabAndRestIsTheFilter)
{
    Home h;
    h.controller.SetCurrentMode("4");
    EXPECT_EQ(h.controller.currentTab(), OtherTab);
    EXPECT_FALSE(h.controller.filtered());
    h.controller.SetCurrentMode("3SearchHit = TRUE");
    EXPECT_EQ(h.controller.currentTab(), SearchTab);
    EXPECT_EQ(h.controller.entriesFilter(), "SearchHit = TRUE");
    EXPECT_TRUE(h.controller.filtered());
    EXPECT_EQ(h.session.currentMode, "3SearchHit = TRUE");
}

TEST(Modes, EmptyAndLetterModesSelectNothing)
{
    Home h;
    h.controller.SetCurrentMode("");
    EXPECT_EQ(h.controller.currentTab(), InformationTab);
    h.controller.SetCurrentMode("2");
    h.controller.SetCurrentMode("XSearchHit = TRUE");
    EXPECT_EQ(h.controller.currentTab(), SelectGroupsTab);
    EXPECT_EQ(h.session.currentMode, "XSearchHit = TRUE");
}

TEST(Modes, BadFilterOrTabRaisesAndStartUpShowsTheDatabaseError)
{
    Home h;
    EXPECT_THROW(h.controller.SetCurrentMode("1Nonsense ~~ 3"), std::exception);
    EXPECT_THROW(h.controller.SetCurrentMode("7"), std::exception);
    EXPECT_EQ(h.controller.currentTab(), InformationTab);

    Home s;
    {
        IniFile ini;
        ini.setValue("Settings", "CurrentMode", "1Nonsense ~~ 3");
        ASSERT_TRUE(ini.save(s.session.folders.config + "Settings.ini"));
    }
    s.controller.FormShow();
    bool found = false;
    for (const auto& shown : s.ui.shown)
        if (shown.text.startsWith(kErrorPrefix)) {
            found = true;
            EXPECT_EQ(shown.icon, Ui::Icon::Warning);
            EXPECT_TRUE(shown.text.endsWith("\n\nPlease restart and if the problem continues, "
                                            "restore your files from backup."));
        }
    EXPECT_TRUE(found);
    EXPECT_TRUE(s.controller.mainWindowShown());
}

TEST(Modes, EntriesTextFollowsTheTab)
{
    EXPECT_EQ(GetModeEntriesText(0, true), "All Database Contacts");
    EXPECT_EQ(GetModeEntriesText(2, true), "Contacts from Selected Groups");
    EXPECT_EQ(GetModeEntriesText(2, false), "Contacts excluding those from Selected Groups");
    EXPECT_EQ(GetModeEntriesText(3, true), "Contacts from Current Search");
    EXPECT_EQ(GetModeEntriesText(4, true), "Contacts from the Special Search");
}

TEST(Modes, GroupsHintOnlyAfterShownWithBareGroupList)
{
    Home h;
    const QString hint = "You have not added any groups to your Group List.  Groups allow you to "
                         "categorize your mailing list and send messages only to specific users.  "
                         "You can specify your groups under View|Options.";
    h.controller.tbcDatabaseChange(SelectGroupsTab);
    EXPECT_FALSE(h.ui.sawText(hint));
    h.controller.FormShow();
    h.controller.tbcDatabaseChange(SelectGroupsTab);
    EXPECT_TRUE(h.ui.sawText(hint));
    h.ui.shown.clear();
    h.session.settings.Cats = {"default", "news"};
    h.controller.tbcDatabaseChange(SelectGroupsTab);
    EXPECT_FALSE(h.ui.sawText(hint));
}

namespace {
// An open database with three entries, one of the default group and two of "news".
void openWithGroups(Home& h)
{
    h.ui.answer(Ui::Answer::Yes);
    ASSERT_TRUE(h.session.db.OpenDatabase("%"));
    h.session.settings.Cats = {"default", "news"};
    for (const char* group : {"default", "news", "news"}) {
        Entry e;
        e.Item = QString("%1%2@example.test").arg(group).arg(h.session.db.database().entries().count());
        e.Category = group;
        h.session.db.database().entries().insert(e);
    }
}
}  // namespace

TEST(ListViewController, TheModalWorkStateNestsAndRestartsTheCheckTimerOnce)
{
    Home h;
    openWithGroups(h);
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
    openWithGroups(h);
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
    openWithGroups(h);
    h.controller.tbcDatabaseChange(SearchTab);
    EXPECT_TRUE(h.controller.btnSearchClick({1, "NEWS", false, false}));
    EXPECT_EQ(h.controller.entriesFilter(), "SearchHit = TRUE");
    EXPECT_EQ(h.controller.countLine(), "  Found 2 Records.  Total DB Records: 3");
    EXPECT_EQ(h.session.currentMode, "3SearchHit = TRUE");
}
