#include "exchange/GridFile.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kHeadings{"E-mail", "Full Name"};

QStringList row(int i)
{
    return i == 0 ? QStringList{"ann@x.test", "<b>Ann</b> & \"Co\""} : QStringList{"zoe@x.test", "Zo\u00eb =1+1"};
}

// One part of the workbook (a zip file) as text, as a spreadsheet program reads it.
QString workbookPart(const QString& file, const QString& part)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", file, part});
    if (!unzip.waitForFinished() || unzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

class GridFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedUi ui;
};

TEST_F(GridFileTest, TheHtmlPageHoldsEveryRowWithItsTextEscaped)
{
    const QString file = dir.filePath("list.htm");
    ASSERT_TRUE(writeGridFile(GridFileKind::Html, file, kHeadings, 2, row, ui));
    const QString page = QString::fromUtf8(readTestFile(file));
    EXPECT_TRUE(page.contains("<tr><th>E-mail</th><th>Full Name</th></tr>\n"
                              "<tr><td>ann@x.test</td><td>&lt;b&gt;Ann&lt;/b&gt; &amp; &quot;Co&quot;</td></tr>\n"
                              "<tr><td>zoe@x.test</td><td>Zo\u00eb =1+1</td></tr>\n"))
        << page.toStdString();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ui.maxBusyDepth, 1);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(GridFileTest, TheWorkbookHoldsTheRowsAsTexts)
{
    const QString file = dir.filePath("list.xlsx");
    ASSERT_TRUE(writeGridFile(GridFileKind::Spreadsheet, file, kHeadings, 2, row, ui));
    EXPECT_TRUE(readTestFile(file).startsWith("PK"));
    const QString sheet = workbookPart(file, "xl/worksheets/sheet1.xml");
    ASSERT_FALSE(sheet.isEmpty()) << "unzip found no worksheet in the workbook";
    EXPECT_TRUE(sheet.contains("Full Name")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("&lt;b&gt;Ann&lt;/b&gt; &amp; \"Co\"")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("Zo\u00eb =1+1"));
    EXPECT_FALSE(sheet.contains("<f>")) << "a text that looks like a formula stays a text";
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(GridFileTest, AFileThatCannotBeWrittenIsSaid)
{
    for (const GridFileKind kind : {GridFileKind::Spreadsheet, GridFileKind::Html}) {
        ui.shown.clear();
        EXPECT_FALSE(writeGridFile(kind, dir.filePath("missing/list"), kHeadings, 2, row, ui));
        EXPECT_EQ(ui.texts(), QStringList{"An error was encountered saving your file."});
        EXPECT_EQ(ui.busyDepth, 0);
    }
}

}  // namespace
