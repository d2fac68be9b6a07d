#include "ExportFixture.h"
#include "exchange/BackUpFile.h"
#include "exchange/CheckOverwriteFile.h"

namespace {

class BackupTest : public ExportFixture {
protected:
    QString savedText(const QString& file) const
    {
        return "Your backup file has been saved as " + file + ".  You can view it with Excel or Notepad";
    }
};

TEST_F(BackupTest, ThreeBackupsToNewNamesGiveBackupBackup2AndBackup3)
{
    add("ann@x.test", "Ann Lee", "Paris");
    settings.newbackupfilename = true;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(SaveBackUpFile(*db, settings, ui, true));
    EXPECT_EQ(ui.texts(), (QStringList{savedText(folder + "backup.csv"), savedText(folder + "backup 2.csv"),
                                       savedText(folder + "backup 3.csv")}));
    EXPECT_EQ(ui.progressCaptions, QStringList(3, "Backing Up Entries"));
    const QByteArray expected = "E-mail,Group,Full Name,First Name,Surname,Company,Address,City,State,ZIP,Country\r\n"
                                "ann@x.test,default,Ann Lee,,,,,Paris,,,\r\n";
    for (const QString name : {"backup.csv", "backup 2.csv", "backup 3.csv"})
        EXPECT_EQ(readTestFile(folder + name), expected) << name.toStdString();

    // Without the option the one name is written again, and without report nothing is said.
    settings.newbackupfilename = false;
    ui.shown.clear();
    ASSERT_TRUE(SaveBackUpFile(*db, settings, ui, false));
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder + "backup 4.csv"));
}

TEST_F(BackupTest, TheOptionsNameIsUsedWhenItsFolderExistsElseTheDatabaseFolderSilently)
{
    add("ann@x.test");
    settings.BackUpFilename = path("nowhere") + "\\mine.csv";
    EXPECT_EQ(backUpFileName(settings, folder), folder + "backup.csv");
    ASSERT_TRUE(SaveBackUpFile(*db, settings, ui, false));
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder + "backup.csv"));

    ASSERT_TRUE(QDir().mkpath(path("kept")));
    settings.BackUpFilename = path("kept") + "\\mine.csv";
    ASSERT_TRUE(SaveBackUpFile(*db, settings, ui, true));
    EXPECT_EQ(ui.texts(), QStringList{savedText(path("kept/mine.csv"))});
    EXPECT_TRUE(readTestFile(path("kept/mine.csv")).startsWith("E-mail,Group,"));
}

TEST_F(BackupTest, ABackupThatCannotBeWrittenFailsSoTheCloseCanAsk)
{
    add("ann@x.test");
    ASSERT_TRUE(QDir().mkpath(folder + "backup.csv"));  // a folder where the file should go
    EXPECT_FALSE(SaveBackUpFile(*db, settings, ui, true));
    EXPECT_EQ(ui.texts(), QStringList{"Unable to write to the file, " + folder + "backup.csv"});
}

TEST_F(BackupTest, OverwritingAnExistingFileIsAskedFirst)
{
    const QString file = path("grid.xlsx");
    EXPECT_TRUE(CheckOverwriteFile(ui, file));
    EXPECT_TRUE(ui.shown.isEmpty());
    writeTestFile(file, "x");
    EXPECT_FALSE(CheckOverwriteFile(ui, file));  // No
    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(CheckOverwriteFile(ui, file));
    EXPECT_EQ(ui.texts(), QStringList(2, "Are you sure you want to overwrite the file, " + file + "?"));
}

}  // namespace
