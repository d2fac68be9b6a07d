#include "app/Session.h"
#include "store/DBInfo.h"
#include "store/EntriesTable.h"
#include "support/EntryRows.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using Answer = Ui::Answer;

const QString kLockedText =
    "Cannot open your mailing list database, another user has the table open already.  If you "
    "want to be able to share your database, check the Database Sharing setting in Options on "
    "all your copies of Corvanel.";

QString createQuestion(const QString& folder)
{
    return "A database cannot be located in the directory, " + folder +
           ". Do you want to create a database here?";
}

QString upgradeQuestion(const QString& folder)
{
    return "The folder, " + folder +
           ", appears to contain an older Corvanel database.  This will be upgraded to v4 format.";
}

bool isRepairQuestion(const QString& text)
{
    return text.startsWith("An error was encountered trying to load the Corvanel database") &&
           text.endsWith("Do you want to attempt to perform a repair it?");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TdmMLTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    ScriptedUi ui;
    std::unique_ptr<Session> session = std::make_unique<Session>(Folders::forApplication(tmp.path()), ui);
    TdmML& db() { return session->db; }
    const Folders& folders() { return session->folders; }

    QString folder(const QString& name) { return folders().application + name + "/"; }

    // A new, empty database in the folder, made through the open question.
    QString newDatabase(const QString& name)
    {
        const QString dir = folder(name);
        ui.answer(Answer::Yes);
        EXPECT_TRUE(db().OpenDatabase(dir));
        return dir;
    }

    // A fresh session over the same application folder, as after a restart.
    void restart()
    {
        session.reset();
        ui = ScriptedUi();
        session = std::make_unique<Session>(Folders::forApplication(tmp.path()), ui);
    }

    QStringList activityLog(const QString& dir) { return QString::fromUtf8(readFile(dir + "log.txt")).split('\n'); }
};

TEST_F(TdmMLTest, EmptyFolderAnsweredYesGetsEveryTable)
{
    const QString dir = folder("news");
    ui.answer(Answer::Yes);
    ASSERT_TRUE(db().OpenDatabase(dir));

    EXPECT_EQ(ui.texts(), QStringList{createQuestion(dir)});
    EXPECT_GE(ui.splashHidden, 1);
    for (TableId t : kOpenOrder) {
        EXPECT_TRUE(Database::exists(dir, t)) << Database::fileName(t).toStdString();
        EXPECT_TRUE(db().database().isOpen(t));
    }
    EXPECT_TRUE(db().isOpen());
    EXPECT_EQ(db().currentFolder(), dir);
    EXPECT_EQ(db().resolvedFolder(), dir);
    EXPECT_EQ(db().databaseName(), "Default Database");
    EXPECT_EQ(db().entryCount(), 0);
    EXPECT_EQ(db().recent().folders().first(), dir);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_GE(ui.maxBusyDepth, 1);

    Entry e;
    e.Item = "ann@example.test";
    db().database().entries().insert(e);
    EXPECT_EQ(db().database().entries().count(), 1);
}

TEST_F(TdmMLTest, DecliningCreationKeepsThePreviousDatabaseOpen)
{
    const QString first = newDatabase("first");
    Entry e;
    e.Item = "bob@example.test";
    db().database().entries().insert(e);

    const QString empty = folder("empty");
    EXPECT_FALSE(db().OpenDatabase(empty));  // unanswered: No
    EXPECT_TRUE(ui.sawText(createQuestion(empty)));
    EXPECT_FALSE(QFileInfo::exists(empty + "mailist.dat"));
    EXPECT_TRUE(db().isOpen());
    EXPECT_EQ(db().currentFolder(), first);
    EXPECT_EQ(db().database().entries().count(), 1);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(TdmMLTest, NothingOpenAfterDecliningOnAFreshStart)
{
    EXPECT_FALSE(db().OpenDatabase(folder("none")));
    EXPECT_FALSE(db().isOpen());
    EXPECT_TRUE(db().recent().folders().isEmpty());
}

TEST_F(TdmMLTest, MissingStatisticsTableIsCreatedWithoutAsking)
{
    const QString dir = newDatabase("stats");
    restart();
    ASSERT_TRUE(QFile::remove(dir + "mailstat.dat"));
    ASSERT_TRUE(db().OpenDatabase(dir));
    EXPECT_TRUE(QFileInfo::exists(dir + "mailstat.dat"));
    EXPECT_TRUE(ui.shown.isEmpty());
}

// Once asked a repair hung here, asking again and again while every attempt
// failed on the unreadable file.
TEST_F(TdmMLTest, AnUnreadableEntriesFileIsRepairedOnceAndTheDatabaseOpens)
{
    const QString dir = newDatabase("damaged");
    restart();
    writeFile(dir + "mailist.dat", QByteArray(8192, 'x'));

    EXPECT_TRUE(db().OpenDatabase(dir));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Repairing table"});
    EXPECT_EQ(ui.texts(), QStringList{"Table mailist.DAT was damaged: 0 rows were saved, and the "
                                      "damaged file was kept as mailist.dat.damaged."});
    EXPECT_EQ(readFile(dir + "mailist.dat.damaged"), QByteArray(8192, 'x'));
    EXPECT_EQ(db().entryCount(), 0);
    EXPECT_EQ(ui.busyDepth, 0);

    ui = ScriptedUi();
    EXPECT_TRUE(db().RepairDatabase(false));
    EXPECT_EQ(ui.texts(), QStringList{"Repair of your database has been completed!"});
}

TEST_F(TdmMLTest, UnreadableCurrentDatabaseOffersRepairNotUpgrade)
{
    const QString dir = newDatabase("broken");
    restart();
    // A log table without its table inside cannot be repaired or opened.
    ASSERT_TRUE(QFile::remove(dir + "maillog.dat"));
    writeFile(dir + "maillog.dat", QByteArray());

    EXPECT_FALSE(db().OpenDatabase(dir));  // No to the repair question
    ASSERT_FALSE(ui.shown.isEmpty());
    EXPECT_TRUE(isRepairQuestion(ui.shown.first().text)) << ui.shown.first().text.toStdString();
    EXPECT_TRUE(ui.shown.first().text.contains(dir));
    EXPECT_TRUE(ui.shown.first().text.contains("Unknown or unexpected database engine error # "));
    EXPECT_FALSE(db().isOpen());
}

// The entries table as the first version kept it, one row in it.
QString oldLayoutDatabase(const QString& dir)
{
    QDir().mkpath(dir);
    sqlite3* raw = nullptr;
    EXPECT_EQ(sqlite3_open((dir + "mailist.dat").toUtf8().constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw,
                           "CREATE TABLE mailist (Item TEXT, Category TEXT, Bounces INTEGER, "
                           "Comments TEXT); INSERT INTO mailist VALUES ('old@example.test', "
                           "'default', 0, '');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    return dir;
}

TEST_F(TdmMLTest, OldLayoutWithoutGroupStatisticsOffersTheUpgrade)
{
    const QString dir = oldLayoutDatabase(folder("old"));
    EXPECT_FALSE(db().OpenDatabase(dir));  // Cancel
    EXPECT_TRUE(ui.sawText(upgradeQuestion(dir)));
    for (const auto& s : ui.shown)
        EXPECT_FALSE(isRepairQuestion(s.text));
    EXPECT_FALSE(db().isOpen());
}

TEST_F(TdmMLTest, AcceptedUpgradeOpensTheFolderWithItsRows)
{
    const QString dir = oldLayoutDatabase(folder("older"));
    // The upgrade, then each step's question and the wait notice of the last one.
    ui.answers = {Answer::Ok, Answer::Yes, Answer::Yes, Answer::Yes, Answer::Ok};
    ASSERT_TRUE(db().OpenDatabase(dir)) << ui.texts().join("\n|").toStdString();
    EXPECT_EQ(ui.shown.first().text, upgradeQuestion(dir));
    EXPECT_TRUE(Database::exists(dir, TableId::GroupStatistics));
    const auto row = db().database().entries().locate("OLD@example.test");
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->Category, "default");
}

TEST_F(TdmMLTest, FolderHeldExclusivelyByAnotherCopyGivesTheLockedWarning)
{
    const QString dir = newDatabase("shared");
    restart();
    Database other;
    other.setFolder(dir, true, false);
    other.openTable(TableId::Entries);

    EXPECT_FALSE(db().OpenDatabase(dir));
    EXPECT_EQ(ui.texts(), QStringList{kLockedText});
    EXPECT_EQ(ui.shown.first().icon, Ui::Icon::Warning);
    EXPECT_FALSE(db().isOpen());
    EXPECT_EQ(ui.busyDepth, 0);
}

// A switch that fails leaves the database that was open usable, and its folder
// is still the one named as open.
void expectStillOpen(TdmML& db, const QString& dir, qint64 rows)
{
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.currentFolder(), dir);
    EXPECT_EQ(db.database().folder(), dir);
    for (TableId t : kOpenOrder)
        EXPECT_TRUE(db.database().isOpen(t)) << Database::fileName(t).toStdString();
    EXPECT_EQ(db.database().entries().count(), rows);
}

TEST_F(TdmMLTest, SwitchToALockedFolderKeepsThePreviousDatabaseOpen)
{
    const QString first = newDatabase("kept");
    const QString locked = newDatabase("held");
    ASSERT_TRUE(db().OpenDatabase(first));
    Entry e;
    e.Item = "cy@example.test";
    db().database().entries().insert(e);
    Database other;
    other.setFolder(locked, true, false);
    other.openTable(TableId::Entries);

    ui = ScriptedUi();
    EXPECT_FALSE(db().OpenDatabase(locked));
    EXPECT_EQ(ui.texts(), QStringList{kLockedText});
    expectStillOpen(db(), first, 1);
}

TEST_F(TdmMLTest, DecliningTheRepairOfAnotherFolderKeepsThePreviousDatabaseOpen)
{
    const QString broken = newDatabase("unreadable");
    const QString first = newDatabase("working");
    ASSERT_TRUE(QFile::remove(broken + "maillog.dat"));
    writeFile(broken + "maillog.dat", QByteArray());

    ui = ScriptedUi();
    EXPECT_FALSE(db().OpenDatabase(broken));  // No to the repair question
    ASSERT_FALSE(ui.shown.isEmpty());
    EXPECT_TRUE(isRepairQuestion(ui.shown.first().text));
    expectStillOpen(db(), first, 0);
    EXPECT_EQ(QDir::currentPath() + '/', first);
}

TEST_F(TdmMLTest, GroupListOfTheFolderWinsAndAbsentOneKeepsThePrevious)
{
    const QString withCats = newDatabase("cats");
    const QString without = newDatabase("nocats");
    writeFile(withCats + "Cats.txt", "Alpha\r\nBETA\r\n\r\n");
    int refreshed = 0;
    db().groupsChanged = [&] { ++refreshed; };

    ASSERT_TRUE(db().OpenDatabase(withCats));
    EXPECT_EQ(session->settings.Cats, (QStringList{"alpha", "beta"}));
    EXPECT_GE(refreshed, 1);

    ASSERT_TRUE(db().OpenDatabase(without));
    EXPECT_EQ(session->settings.Cats, (QStringList{"alpha", "beta"}));

    // The next save writes that list into the new folder.
    db().SaveDatabase();
    EXPECT_EQ(readFile(without + "Cats.txt"), "alpha\nbeta\n");
}

TEST_F(TdmMLTest, SaveWritesDBInfoAndRefreshesStatisticsOnlyWithEntries)
{
    const QString dir = newDatabase("save");
    int refreshes = 0;
    db().recordRefresh = [&] { ++refreshes; };
    session->settings.Cats = {"default", "news", "sport"};

    db().SaveDatabase();
    EXPECT_EQ(refreshes, 0);

    db().setEntryCount(42);
    db().setDatabaseName("Sports Club");
    db().SaveDatabase();
    EXPECT_EQ(refreshes, 1);
    const DBInfo info = DBInfo::read(dir);
    EXPECT_EQ(info.Records, 42);
    EXPECT_EQ(info.DatabaseName, "Sports Club");
    EXPECT_EQ(info.Groups, 3);
    EXPECT_EQ(TdmML::GetDBName(dir), "Sports Club");

    // Rows written by another tool: the count shown is the table's, not the stale one saved.
    addEntries(dir, 1000);
    restart();
    ASSERT_TRUE(db().OpenDatabase(dir));
    EXPECT_EQ(db().entryCount(), 1000);
    EXPECT_EQ(db().databaseName(), "Sports Club");
    EXPECT_EQ(session->settings.Cats, (QStringList{"default", "news", "sport"}));
}

TEST_F(TdmMLTest, RepairShowsOneScaleAndLogsEachTable)
{
    const QString dir = newDatabase("repair");
    ui = ScriptedUi();
    ui.answer(Answer::Yes);
    db().RepairDatabase(true);

    EXPECT_EQ(ui.texts(), (QStringList{"Do you want to repair your database to fix any corruption "
                                       "caused by an incomplete system shutdown?",
                                       "Repair of your database has been completed!"}));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Repairing Database"});
    for (int p : ui.progressPositions) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 1100);
    }
    EXPECT_TRUE(std::is_sorted(ui.progressPositions.begin(), ui.progressPositions.end()));

    const QStringList log = activityLog(dir);
    for (TableId t : kOpenOrder) {
        const QString table = Database::displayName(t);
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const QString& line) {
            return line.contains("Repair of " + table + ": ");
        })) << table.toStdString();
    }
    // The tables are usable again afterwards.
    for (TableId t : kOpenOrder)
        EXPECT_TRUE(db().database().isOpen(t));
}

TEST_F(TdmMLTest, RepairDeclinedDoesNothing)
{
    newDatabase("declined");
    ui = ScriptedUi();
    db().RepairDatabase(true);
    EXPECT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.progressCaptions.isEmpty());
    EXPECT_TRUE(db().database().isOpen(TableId::Entries));
}

TEST_F(TdmMLTest, OptimiseFromTheMenuAsksThenReopensTheTables)
{
    newDatabase("optimise");
    std::vector<bool> sources;
    db().dataSourcesEnabled = [&](bool on) { sources.push_back(on); };
    ui = ScriptedUi();
    ui.answer(Answer::No);  // no repair
    ui.answer(Answer::Ok);  // optimise
    db().OptimiseDatabase(true);

    EXPECT_TRUE(ui.sawText("Your database will now be optimized to reclaim unused disk space!"));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Optimizing Database"});
    ASSERT_FALSE(ui.progressPositions.isEmpty());
    EXPECT_LE(ui.progressPositions.last(), 1100);
    EXPECT_GE(ui.progressPositions.last(), 1000);
    EXPECT_EQ(sources, (std::vector<bool>{false, true}));
    for (TableId t : kOpenOrder)
        EXPECT_TRUE(db().database().isOpen(t));
    EXPECT_EQ(ui.busyDepth, 0);

    ui = ScriptedUi();
    ui.answer(Answer::No);
    ui.answer(Answer::Cancel);
    db().OptimiseDatabase(true);
    EXPECT_TRUE(ui.progressCaptions.isEmpty());
    EXPECT_TRUE(db().database().isOpen(TableId::Entries));
}

TEST_F(TdmMLTest, UnattendedOptimiseStopsAtADeclinedOrFailedRepair)
{
    const QString dir = newDatabase("unattended");
    ui = ScriptedUi();  // the repair is declined
    EXPECT_FALSE(db().OptimiseDatabase(false));
    EXPECT_TRUE(ui.progressCaptions.isEmpty());
    EXPECT_TRUE(db().database().isOpen(TableId::Entries));

    ui = ScriptedUi();
    ui.answer(Answer::Yes);
    EXPECT_TRUE(db().OptimiseDatabase(false));
    EXPECT_EQ(ui.progressCaptions, (QStringList{"Repairing Database", "Optimizing Database"}));

    ASSERT_TRUE(QFile::remove(dir + "mailschd.dat"));
    ui = ScriptedUi();
    ui.answer(Answer::Yes);
    EXPECT_FALSE(db().OptimiseDatabase(false));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Repairing Database"});
    const QStringList texts = ui.texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString& text) {
        return text.startsWith("An error was encountered whilst repairing your database: ");
    }));
}

TEST_F(TdmMLTest, StartWithEmptyDBPathUsesTheApplicationFolderWhenItHoldsADatabase)
{
    Database::createMissingTables(folders().application, TableScope::All);
    writeFile(folders().config + "Settings.ini", "[Database]\nDBPath=\nDBIsExclusive=TRUE\n");
    db().create();
    EXPECT_TRUE(db().isOpen());
    EXPECT_EQ(db().currentFolder(), "%");
    EXPECT_EQ(db().resolvedFolder(), folders().application);
    EXPECT_EQ(db().symbolicFolder(db().currentFolder()), "%");
    EXPECT_TRUE(session->settings.DBIsExclusive);
    EXPECT_TRUE(ui.shown.isEmpty());

    // DBIsExclusive: a second copy cannot open the tables meanwhile.
    Database other;
    other.setFolder(folders().application, false, false);
    EXPECT_THROW(other.openTable(TableId::Entries), StoreError);
}

TEST_F(TdmMLTest, StartOpensTheSavedFolderAndRemembersRecentList)
{
    const QString dir = newDatabase("saved");
    writeFile(folders().config + "Settings.ini", ("[Database]\nDBPath=" + dir + "\n").toUtf8());
    writeFile(folders().config + "recent.txt", "/nowhere/a/\n/nowhere/b/\n");
    restart();
    db().create();
    EXPECT_TRUE(db().isOpen());
    EXPECT_EQ(db().currentFolder(), dir);
    EXPECT_EQ(db().recent().folders(), (QStringList{dir, "/nowhere/a/", "/nowhere/b/"}));
}

TEST_F(TdmMLTest, StartWithNothingToOpenShowsTheOpenDialogOnce)
{
    ui.chosenFolders.push_back(std::nullopt);
    db().create();
    EXPECT_FALSE(db().isOpen());
    EXPECT_EQ(ui.texts(), (QStringList{createQuestion(folders().defaultDatabasePath()),
                                       "Create/Open Mailing List Database"}));

    restart();
    const QString chosen = folder("picked");
    ui.chosenFolders.push_back(chosen);
    ui.answer(Answer::No);   // not in the default folder
    ui.answer(Answer::Yes);  // but in the chosen one
    db().create();
    EXPECT_TRUE(db().isOpen());
    EXPECT_EQ(db().currentFolder(), chosen);
}

TEST_F(TdmMLTest, RenameKeepsAnEmptyAnswer)
{
    newDatabase("named");
    ui.input(QString("Choir"));
    EXPECT_TRUE(db().renameDatabase());
    EXPECT_EQ(db().databaseName(), "Choir");
    EXPECT_TRUE(ui.sawText("Database Name: Enter the name for this database"));
    ui.input(std::nullopt);
    EXPECT_FALSE(db().renameDatabase());
    EXPECT_EQ(db().databaseName(), "Choir");
    ui.input(QString());
    EXPECT_TRUE(db().renameDatabase());
    EXPECT_TRUE(db().databaseName().isEmpty());
}

}  // namespace
