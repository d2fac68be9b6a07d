#include "app/AppController.h"
#include "app/Session.h"
#include "settings/IniFile.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Home {
    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{Folders::forApplication(dir.path()), ui};
    AppController controller;

    explicit Home(AppHooks hooks = {}) : controller(session, std::move(hooks)) {}
    void openDefault()
    {
        ui.answer(Ui::Answer::Yes);
        controller.start();
        controller.FormShow();
        ASSERT_TRUE(session.db.isOpen());
    }
    QString ini(const QString& section, const QString& key) const
    {
        IniFile f;
        f.load(session.folders.config + "Settings.ini");
        return f.value(section, key).value_or("<absent>");
    }
};

const QString kScheduled =
    "You have a scheduled sending which has not completed.  Are you sure you want to exit?";
const QString kBackUp =
    "An error was encountered saving your back up file.  Do you still want to close?";
}  // namespace

TEST(Shutdown, PendingScheduledSendAnsweredNoKeepsRunningWithTimersUntouched)
{
    Home h;
    h.controller.timers().scheduledSendDelta = [] { return qint64(90000); };
    h.controller.timers().CommenceTimer();
    h.ui.answer(Ui::Answer::No);
    EXPECT_FALSE(h.controller.FormCloseQuery());
    EXPECT_TRUE(h.ui.sawText(kScheduled));
    EXPECT_TRUE(h.controller.timers().tmrSchedSend.isActive());
    h.ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(h.controller.FormCloseQuery());
}

TEST(Shutdown, FailedBackUpAsksBeforeClosing)
{
    AppHooks hooks;
    hooks.backUpOnExit = [] { return false; };
    Home h(hooks);
    EXPECT_TRUE(h.controller.FormCloseQuery());  // back-up on exit is off
    EXPECT_FALSE(h.ui.sawText(kBackUp));
    h.session.settings.BackUpOnExit = true;
    h.ui.answer(Ui::Answer::No);
    EXPECT_FALSE(h.controller.FormCloseQuery());
    EXPECT_TRUE(h.ui.sawText(kBackUp));
}

TEST(Shutdown, CloseAndDestroyWriteSettingsDbPathAndRecentList)
{
    Home h;
    h.openDefault();
    h.controller.SetCurrentMode("1");
    h.controller.FormClose();
    h.controller.FormDestroy();
    EXPECT_EQ(h.ini("Database", "DBPath"), "%\\DB");
    EXPECT_EQ(h.ini("Settings", "CurrentMode"), "1");
    QFile recent(h.session.folders.config + "recent.txt");
    ASSERT_TRUE(recent.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(recent.readAll()).contains(h.session.folders.application + "DB"));
    EXPECT_TRUE(QFile::exists(h.session.folders.defaultDatabasePath() + "DBInfo.ddt"));
}

TEST(Shutdown, AFailingStepDoesNotStopTheOthers)
{
    Home h;
    h.openDefault();
    // The database folder vanishes: saving the database state fails.
    ASSERT_TRUE(QDir(h.session.folders.defaultDatabasePath()).removeRecursively());
    // recent.txt cannot be written: a folder stands in its place.
    ASSERT_TRUE(QDir().mkpath(h.session.folders.config + "recent.txt"));
    h.ui.shown.clear();
    h.controller.FormClose();
    h.controller.FormDestroy();
    EXPECT_EQ(h.ini("Database", "DBPath"), "%\\DB");
    EXPECT_NE(h.ini("Settings", "CurrentMode"), "<absent>");

    // Each thing that was not saved is told once, naming its file and the reason.
    const QString cats = h.session.folders.defaultDatabasePath() + "Cats.txt";
    const QString recent = h.session.folders.config + "recent.txt";
    ASSERT_EQ(h.ui.shown.size(), 2) << h.ui.texts().join("\n|").toStdString();
    EXPECT_TRUE(h.ui.shown[0].text.startsWith(
        "The group list of your database could not be saved.\n\nCannot write " + cats + ": "))
        << h.ui.shown[0].text.toStdString();
    EXPECT_TRUE(h.ui.shown[1].text.startsWith(
        "The list of recent databases could not be saved.\n\nCannot write " + recent + ": "))
        << h.ui.shown[1].text.toStdString();
    for (const auto& shown : h.ui.shown)
        EXPECT_EQ(shown.icon, Ui::Icon::Warning);
}
