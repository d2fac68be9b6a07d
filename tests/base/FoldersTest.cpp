#include "base/Folders.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Roomy enough never to be the reason for a refusal here.
constexpr qsizetype kRoomyLimit = 4000;

class FoldersTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    // Not there, so not writable for anyone, root included.
    QString programFolder = tmp.filePath("gone/bin");
};

}  // namespace

TEST_F(FoldersTest, WithoutHomeOrCorvanelHomeAndAReadOnlyProgramFolderNothingIsChosen)
{
    for (const QString& dataHome : {QString(), QStringLiteral("relative/share")}) {
        QProcessEnvironment environment;
        if (!dataHome.isEmpty())
            environment.insert("XDG_DATA_HOME", dataHome);

        const FoldersChoice choice = Folders::locate(programFolder, environment, kRoomyLimit);

        EXPECT_FALSE(choice.folders.has_value()) << choice.folders->application.toStdString();
        EXPECT_EQ(choice.problem.toStdString(),
                  "Corvanel cannot choose a folder for its files: HOME is not set and the "
                  "program's own folder cannot be written. Set HOME, or set CORVANEL_HOME to "
                  "the folder Corvanel should use.");
    }
    EXPECT_FALSE(QDir(tmp.path()).exists("gone"));
}

TEST_F(FoldersTest, ARelativeDataHomeGivesWayToTheOneUnderHome)
{
    QProcessEnvironment environment;
    environment.insert("HOME", tmp.path());
    environment.insert("XDG_DATA_HOME", "relative/share");

    const FoldersChoice choice = Folders::locate(programFolder, environment, kRoomyLimit);

    ASSERT_TRUE(choice.folders.has_value()) << choice.problem.toStdString();
    EXPECT_EQ(choice.folders->application, tmp.path() + "/.local/share/Corvanel/");
    EXPECT_TRUE(QDir(choice.folders->config).exists());
}
