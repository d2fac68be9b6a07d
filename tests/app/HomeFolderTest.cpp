#include "ChildProgram.h"
#include "store/Database.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// corvanel-cli as a person would start it, with CORVANEL_HOME (and HOME) at home.
ChildRun runCli(const QString& home, const QStringList& arguments)
{
    return runChild(builtProgram("corvanel-cli"), arguments, scratchEnvironment(home));
}

}  // namespace

TEST(HomeFolderTest, ABackslashInCorvanelHomeIsPartOfTheFolderName)
{
    QTemporaryDir scratch;
    const QString home = scratch.path() + "/a\\b";

    const ChildRun run = runCli(home, {"--yes", "info"});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Database folder: " + home + "/DB/")) << run.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(home + "/DB/mailist.dat"));
    EXPECT_TRUE(QFileInfo::exists(home + "/Config/Settings.ini"));
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"a\\b"});
}

TEST(HomeFolderTest, AHomeTooLongForTheTableFilesIsRefusedNamingTheLimit)
{
    QTemporaryDir scratch;
    // The home's path, then "/DB/", then the longest table file name.
    const qsizetype longest = Database::longestFolderPath() - qsizetype(sizeof("/DB/") - 1);
    const QString tooLong = pathOfLength(scratch.path() + "/long", longest + 1);

    const ChildRun refused = runCli(tooLong, {"--yes", "info"});

    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, QStringLiteral("The home folder's path is %1 characters long; it may "
                                          "be at most %2. Set CORVANEL_HOME to a shorter folder.\n")
                               .arg(longest + 1)
                               .arg(longest));
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/long"));

    const QString longestHome = pathOfLength(scratch.path() + "/long", longest);
    const ChildRun accepted = runCli(longestHome, {"--yes", "info"});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(longestHome + "/DB/mailist.dat"));
}
