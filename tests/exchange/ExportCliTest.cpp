#include "../app/ChildProgram.h"
#include "support/ChildRun.h"
#include "support/EntryRows.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// corvanel-cli export and backup run as a script runs them, on a scratch home with
// a small list.
class ExportCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(run({"--yes", "info"}), 0) << err.toStdString();
        addEntries(home.filePath("DB/"), 3);
    }

    int run(const QStringList& arguments)
    {
        const ChildRun cli = runChild(builtProgram("corvanel-cli"), arguments, scratchEnvironment(home.path()));
        out = cli.out;
        err = cli.err;
        return cli.exitCode;
    }

    QTemporaryDir home;
    QString out;
    QString err;
};

TEST_F(ExportCliTest, ExportWritesTheChosenColumnsWithTheSeparator)
{
    const QString file = home.filePath("list.txt");
    EXPECT_EQ(run({"export", file, "--columns", "full name,E-MAIL", "--separator", ";"}), 0) << err.toStdString();
    EXPECT_EQ(err, "");
    EXPECT_EQ(readTestFile(file), QByteArray("E-mail;Full Name\r\n"
                                             "member000000@example.test;Member number 0\r\n"
                                             "member000001@example.test;Member number 1\r\n"
                                             "member000002@example.test;Member number 2\r\n"));

    EXPECT_EQ(run({"export", file}), 0);
    EXPECT_TRUE(readTestFile(file).startsWith("E-mail,Group,Full Name,First Name,Surname,Company,Address,City,"
                                              "State,ZIP,Country\r\nmember000000@example.test,"));
}

TEST_F(ExportCliTest, AnUnknownColumnOrALongSeparatorIsACallErrorThatWritesNothing)
{
    const QString file = home.filePath("list.csv");
    EXPECT_EQ(run({"export", file, "--columns", "E-mail,Phone"}), 2);
    EXPECT_TRUE(err.contains("export: unknown column: Phone")) << err.toStdString();
    EXPECT_EQ(run({"export", file, "--separator", ";;"}), 2);
    EXPECT_TRUE(err.contains("export: the separator is one character")) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));

    EXPECT_EQ(run({"export", home.filePath("missing/list.csv")}), 1);
    EXPECT_TRUE(err.contains("Unable to write to the file, " + home.filePath("missing/list.csv")))
        << err.toStdString();
}

TEST_F(ExportCliTest, BackupSaysWhereTheFileWent)
{
    const QString file = home.filePath("DB/backup.csv");
    EXPECT_EQ(run({"backup"}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Your backup file has been saved as " + file +
                             ".  You can view it with Excel or Notepad"))
        << out.toStdString();
    EXPECT_EQ(readTestFile(file).count("\r\n"), 4);
}

}  // namespace
