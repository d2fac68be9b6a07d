#include "logs/Logs.h"

#include "util/TextFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class LogsTest : public ::testing::Test {
protected:
    QTemporaryDir appDir;
    QTemporaryDir dbDir;
    // The two switches as the settings hold them by default.
    struct {
        bool MaintainLog = true;
        bool DebugLogging = false;
        LogSwitches logSwitches() const { return {MaintainLog, DebugLogging}; }
    } settings;
    QString databaseFolder = dbDir.path() + "/";
    Logs logs{settings.logSwitches(), appDir.path() + "/", [this] { return databaseFolder; }};

    QStringList appLines(const QString& name) const { return lines(appDir.path() + "/" + name); }
    QStringList dbLines(const QString& name) const { return lines(dbDir.path() + "/" + name); }
    bool dbFileExists(const QString& name) const { return QFile::exists(dbDir.path() + "/" + name); }

    static QStringList lines(const QString& path)
    {
        return readTextLines(path).value_or(QStringList{"<missing>"});
    }
    // The message after the "  -  " of a dated line, or "<undated>".
    static QString messageOf(const QString& line)
    {
        const qsizetype at = line.indexOf("  -  ");
        return at < 0 ? QString("<undated>") : line.mid(at + 5);
    }
};

}  // namespace

TEST_F(LogsTest, ActivityGoesOnlyToTheDebugLogWhenTheActivityLogIsOff)
{
    settings.MaintainLog = false;
    settings.DebugLogging = true;
    logs.AddToLog("Added jo@example.com");
    EXPECT_FALSE(dbFileExists("log.txt"));
    const QStringList debug = appLines("Debuglog.txt");
    ASSERT_EQ(debug.size(), 1);
    EXPECT_EQ(messageOf(debug[0]), "LOGGING: Added jo@example.com");
}

TEST_F(LogsTest, ActivityLogLineIsDatedAndDebugLogStaysUntouchedWhenOff)
{
    settings.MaintainLog = true;
    settings.DebugLogging = false;
    logs.AddToLog("Changed Email Address a@x.org to b@x.org");
    const QStringList log = dbLines("log.txt");
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(messageOf(log[0]), "Changed Email Address a@x.org to b@x.org");
    EXPECT_FALSE(QFile::exists(appDir.path() + "/Debuglog.txt"));
}

TEST_F(LogsTest, DatedLineUsesTheSystemsShortDateAndLongTime)
{
    const QLocale locale = QLocale::system();
    const QString format =
        locale.dateFormat(QLocale::ShortFormat) + " " + locale.timeFormat(QLocale::LongFormat);
    const QString before = locale.toString(QDateTime::currentDateTime(), format);
    const QString line = Logs::datedLine("hello");
    const QString after = locale.toString(QDateTime::currentDateTime(), format);
    // The clock may tick between the readings: the line matches one of them.
    EXPECT_TRUE(line == before + "  -  hello" || line == after + "  -  hello") << line.toStdString();
}

TEST_F(LogsTest, RestartEmptiesTheDebugLog)
{
    settings.DebugLogging = true;
    logs.debug("SaveEntries", "Commence");
    logs.debug("SaveEntries", "End");
    ASSERT_EQ(appLines("Debuglog.txt").size(), 2);
    logs.AddToDebugLog("DEBUG: [FormShow] Commence", true);
    const QStringList debug = appLines("Debuglog.txt");
    ASSERT_EQ(debug.size(), 1);
    EXPECT_EQ(messageOf(debug[0]), "DEBUG: [FormShow] Commence");
}

TEST(LogsErrorLine, VerbAddressAndOptionalSecondValue)
{
    EXPECT_EQ(Logs::errorLine(Logs::Add, "jo@example.com", "news"), "ADD jo@example.com news");
    EXPECT_EQ(Logs::errorLine(Logs::Add, "jo@example.com", ""), "ADD jo@example.com");
    EXPECT_EQ(Logs::errorLine(Logs::Remove, "jo@example.com", "news"), "REMOVE jo@example.com news");
    EXPECT_EQ(Logs::errorLine(Logs::Remove, "jo@example.com", ""), "REMOVE jo@example.com");
    EXPECT_EQ(Logs::errorLine(Logs::Modify, "old@example.com", "new@example.com"),
              "MODIFY old@example.com new@example.com");
    EXPECT_EQ(Logs::errorLine(Logs::Modify, "old@example.com", ""), "MODIFY old@example.com");
}

TEST_F(LogsTest, ErrorsListAppendsAndSkipsEmptyAddresses)
{
    logs.AddToErrorsList(Logs::Add, "jo@example.com", "news");
    logs.AddToErrorsList(Logs::Remove, "", "news");
    logs.AddToErrorsList(Logs::Add, "  ", "news");
    logs.AddToErrorsList(Logs::Remove, "ann@example.com");
    EXPECT_EQ(dbLines("Errors.txt"), (QStringList{"ADD jo@example.com news", "REMOVE ann@example.com"}));
}

TEST_F(LogsTest, AddressWithALineBreakCannotForgeASecondErrorLine)
{
    logs.AddToErrorsList(Logs::Add, "jo@example.com\nREMOVE boss@example.com", "news");
    const QStringList errors = dbLines("Errors.txt");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("ADD jo@example.com")) << errors[0].toStdString();
}

TEST_F(LogsTest, ViewerSinkTakesErrorLinesWhileSet)
{
    QStringList viewer;
    logs.setErrorViewerSink([&viewer](const QString& line) { viewer << line; });
    logs.AddToErrorsList(Logs::Add, "jo@example.com", "news");
    logs.AddToErrorsList(Logs::Add, "", "news");
    EXPECT_EQ(viewer, QStringList{"ADD jo@example.com news"});
    EXPECT_FALSE(dbFileExists("Errors.txt"));

    logs.clearErrorViewerSink();
    logs.AddToErrorsList(Logs::Modify, "a@x.org", "b@x.org");
    EXPECT_EQ(viewer.size(), 1);
    EXPECT_EQ(dbLines("Errors.txt"), QStringList{"MODIFY a@x.org b@x.org"});
}

TEST_F(LogsTest, RemovalsGoToBouncedOrRemoved)
{
    logs.RecordRemoval("gone@example.com", true);
    logs.RecordRemoval("left@example.com", false);
    logs.RecordRemoval("", false);
    EXPECT_EQ(dbLines("Bounced.txt"), QStringList{"gone@example.com"});
    EXPECT_EQ(dbLines("Removed.txt"), QStringList{"left@example.com"});
}

TEST_F(LogsTest, LogsFollowTheCurrentDatabaseFolder)
{
    QTemporaryDir other;
    databaseFolder = other.path();  // without the trailing "/"
    logs.RecordRemoval("left@example.com", false);
    EXPECT_EQ(lines(other.path() + "/Removed.txt"), QStringList{"left@example.com"});
    EXPECT_FALSE(dbFileExists("Removed.txt"));
}

TEST_F(LogsTest, UnwritableFoldersLoseTheLineSilently)
{
    settings.MaintainLog = true;
    settings.DebugLogging = true;
    QFile blocker(dbDir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    databaseFolder = dbDir.path() + "/file/";
    Logs unwritable(settings.logSwitches(), dbDir.path() + "/file/app/", [this] { return databaseFolder; });
    unwritable.AddToLog("message");
    unwritable.AddToErrorsList(Logs::Add, "jo@example.com", "news");
    unwritable.RecordRemoval("jo@example.com", true);
    EXPECT_FALSE(QFile::exists(dbDir.path() + "/file/log.txt"));
}

TEST_F(LogsTest, NoDatabaseFolderLosesTheLineInsteadOfWritingSomewhereElse)
{
    settings.MaintainLog = true;
    QTemporaryDir workingFolder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workingFolder.path()));
    Logs noFolder(settings.logSwitches(), appDir.path() + "/", [] { return QString(); });
    noFolder.AddToLog("message");
    Logs failing(settings.logSwitches(), appDir.path() + "/",
                 []() -> QString { throw std::runtime_error("no database open"); });
    failing.AddToLog("message");
    failing.AddToErrorsList(Logs::Add, "jo@example.com", "news");
    QDir::setCurrent(previous);
    EXPECT_TRUE(QDir(workingFolder.path()).isEmpty());
}
