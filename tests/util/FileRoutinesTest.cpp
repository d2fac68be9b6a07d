#include "util/FileRoutines.h"

#include "support/ScriptedUi.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the place of the desktop's handler for one scheme, so no program starts.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(FileNames, AddSlash)
{
    EXPECT_EQ(AddSlash(""), "");
    EXPECT_EQ(AddSlash("   "), "");
    EXPECT_EQ(AddSlash("/data/list/"), "/data/list/");
    EXPECT_EQ(AddSlash("C:\\Lists\\"), "C:\\Lists\\");
    EXPECT_EQ(AddSlash("  /data/list \t"), "/data/list/");
}

TEST(FileNames, NameWithoutExtensionAndHasExtension)
{
    EXPECT_EQ(NameWithoutExtension("/a/b.c/backup.tar.gz"), "backup.tar");
    EXPECT_EQ(NameWithoutExtension("C:\\x.y\\report"), "report");
    EXPECT_EQ(NameWithoutExtension("list.csv"), "list");
    EXPECT_TRUE(HasExtension("/a/Export.CSV", ".csv"));
    EXPECT_FALSE(HasExtension("/a/Export.csv", "csv"));
    EXPECT_FALSE(HasExtension("/a.csv/Export", ".csv"));
    EXPECT_TRUE(HasExtension("/a.csv/Export", ""));
}

TEST(FileNames, UniqueFileNameCountsFromTwoWithTheSeparator)
{
    QTemporaryDir dir;
    const QString base = dir.path() + "/backup.csv";
    EXPECT_EQ(UniqueFileName(base, " "), base);

    touch(base);
    EXPECT_EQ(UniqueFileName(base, " "), dir.path() + "/backup 2.csv");
    EXPECT_EQ(UniqueFileName(base, ""), dir.path() + "/backup_2.csv");

    touch(dir.path() + "/backup_2.csv");
    EXPECT_EQ(UniqueFileName(base, "_"), dir.path() + "/backup_3.csv");
    EXPECT_EQ(UniqueFileName(base, " "), dir.path() + "/backup 2.csv");
}

TEST(FileNames, UniqueFileNameWithoutExtensionAndWithADottedFolder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("v1.2");
    const QString name = dir.path() + "/v1.2/notes";
    touch(name);
    EXPECT_EQ(UniqueFileName(name, "-"), dir.path() + "/v1.2/notes-2");
}

TEST(FileNames, TempFileNameLivesInTheTemporaryFolder)
{
    const QString name = TempFileName("/somewhere/else/corvanel-temp-name-test.eml");
    EXPECT_EQ(name, QDir::tempPath() + "/corvanel-temp-name-test.eml");
    EXPECT_TRUE(TempFolder().endsWith('/'));
}

TEST(ForceFolder, ShortPathGivesFalseWithoutAsking)
{
    ScriptedUi ui;
    EXPECT_FALSE(ForceFolder(ui, "C:\\", true, true));
    EXPECT_FALSE(ForceFolder(ui, "/", true, true));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST(ForceFolder, CancelLeavesTheFolderUncreated)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/new/list";
    ScriptedUi ui;
    ui.answer(Ui::Answer::Cancel);
    EXPECT_FALSE(ForceFolder(ui, path, true, true));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text,
              "The folder, " + path + " does not exist.  Would you like to create it?");
    EXPECT_EQ(ui.shown[0].icon, Ui::Icon::Information);
    EXPECT_EQ(ui.shown[0].buttons, Ui::Buttons::OkCancel);
    EXPECT_FALSE(FolderExists(path));
}

TEST(ForceFolder, CreatesAllMissingParents)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/a/b/c";
    ScriptedUi ui;
    ui.answer(Ui::Answer::Ok);
    EXPECT_TRUE(ForceFolder(ui, path, true, true));
    EXPECT_TRUE(FolderExists(path));
    EXPECT_EQ(ui.shown.size(), 1);

    // Once it exists there is nothing to ask.
    EXPECT_TRUE(ForceFolder(ui, path, true, true));
    EXPECT_EQ(ui.shown.size(), 1);
}

TEST(ForceFolder, FailureIsReportedOnlyWhenAsked)
{
    QTemporaryDir dir;
    touch(dir.path() + "/file");
    const QString path = dir.path() + "/file/sub";
    EXPECT_EQ(CreateFolderPath(path), QString("Cannot force directory creation"));

    ScriptedUi quiet;
    EXPECT_FALSE(ForceFolder(quiet, path, false, false));
    EXPECT_TRUE(quiet.shown.isEmpty());

    ScriptedUi ui;
    EXPECT_FALSE(ForceFolder(ui, path, false, true));
    ASSERT_EQ(ui.texts(), QStringList{"An error was encountered while creating the folder, " + path});
    EXPECT_EQ(ui.shown[0].icon, Ui::Icon::Warning);
}

TEST(AppendLine, CreatesAppendsAndRestarts)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/log.txt";
    EXPECT_TRUE(AppendLine(file, "first", false));
    EXPECT_TRUE(AppendLine(file, "Zoë", false));
    EXPECT_EQ(contents(file), QByteArray("first\nZo\xc3\xab\n"));
    EXPECT_TRUE(AppendLine(file, "again", true));
    EXPECT_EQ(contents(file), QByteArray("again\n"));
}

TEST(AppendLine, FailureIsAnAnswerNotAnException)
{
    QTemporaryDir dir;
    EXPECT_FALSE(AppendLine(dir.path() + "/missing/log.txt", "x", false));
    EXPECT_FALSE(AppendLine(dir.path(), "x", false));
}

TEST(OpenDocument, HandsTheAddressToTheDesktop)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("corvanel-test", &recorder, "open");
    ScriptedUi ui;
    OpenDocument(ui, " corvanel-test://help/topic-3 ");
    QDesktopServices::unsetUrlHandler("corvanel-test");
    EXPECT_TRUE(ui.shown.isEmpty());
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].toString(), "corvanel-test://help/topic-3");
}

TEST(OpenDocument, NothingToOpenIsReported)
{
    ScriptedUi ui;
    OpenDocument(ui, "   ");
    EXPECT_EQ(ui.texts(), QStringList{"Error encountered launching browser"});
}

#include "FileRoutinesTest.moc"
