#include "ChildProgram.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliMain.h"
#include "base/ProjectInfo.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// corvanel-cli run in-process on a scratch home, as a script would run it.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedHome = qgetenv("CORVANEL_HOME");
        qputenv("CORVANEL_HOME", home.path().toUtf8());
    }
    void TearDown() override
    {
        if (savedHome.isEmpty())
            qunsetenv("CORVANEL_HOME");
        else
            qputenv("CORVANEL_HOME", savedHome);
    }

    int run(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return runCli(QStringList{"corvanel-cli"} + arguments, home.path(), outStream, errStream);
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = home.filePath(name);
        writeTestFile(path, bytes);
        return path;
    }

    QString entriesFile() const { return home.filePath("DB/mailist.dat"); }

    QTemporaryDir home;
    QByteArray savedHome;
    QString out;
    QString err;
};

}  // namespace

TEST_F(CliTest, HelpAndVersionGoToStandardOutputAndExitZero)
{
    for (const QString help : {"--help", "-h"}) {
        EXPECT_EQ(run({help}), 0);
        EXPECT_EQ(err, "");
        for (const CliCommand& command : cliCommands()) {
            EXPECT_TRUE(out.contains(command.name)) << command.name.toStdString();
            EXPECT_TRUE(out.contains(command.summary)) << command.name.toStdString();
        }
        EXPECT_TRUE(out.contains("--yes"));
    }

    EXPECT_EQ(run({"scan-addresses", "--help"}), 0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(out.startsWith("Usage: corvanel-cli scan-addresses [options] FILE...\n"));
    EXPECT_TRUE(out.contains(scanAddressesCommand().summary));

    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out, QString("corvanel-cli ") + ProjectInfo::kVersion + "\n");
    EXPECT_EQ(err, "");
    EXPECT_TRUE(QDir(home.path()).isEmpty());
}

TEST_F(CliTest, ABadCallIsNamedOnStandardErrorExitsTwoAndTouchesNothing)
{
    const QList<std::pair<QStringList, QString>> calls = {
        {{"frob"}, "unknown command: frob"},
        {{}, "missing command"},
        {{"--frob"}, "frob"},
        {{"info", "--frob"}, "frob"},
        {{"scan-addresses"}, "scan-addresses: missing FILE"},
        {{"repair", "now"}, "repair: unexpected argument: now"},
    };
    for (const auto& [arguments, problem] : calls) {
        EXPECT_EQ(run(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(out, "") << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains(problem)) << err.toStdString();
        EXPECT_TRUE(err.contains("--help")) << err.toStdString();
    }
    EXPECT_TRUE(QDir(home.path()).isEmpty());
}

TEST_F(CliTest, YesAnswersBeforeOrAfterTheCommand)
{
    EXPECT_EQ(run({"info"}), 1);
    EXPECT_TRUE(out.contains("Do you want to create a database here?\n-> No"));
    EXPECT_EQ(err, "No database is open.\n");
    EXPECT_FALSE(QFile::exists(entriesFile()));

    EXPECT_EQ(run({"info", "--yes"}), 0);
    EXPECT_TRUE(out.contains("-> Yes"));
    EXPECT_TRUE(out.contains("Entries: 0\nGroups: 1\n"));
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({"--yes", "info"}), 0);
    EXPECT_TRUE(out.startsWith("Database folder: " + home.filePath("DB/")));
}

TEST_F(CliTest, ADeclinedRepairExitsOneAndLeavesTheTablesAsTheyWere)
{
    ASSERT_EQ(run({"--yes", "info"}), 0);
    const QByteArray before = readTestFile(entriesFile());
    ASSERT_FALSE(before.isEmpty());

    EXPECT_EQ(run({"repair"}), 1);
    EXPECT_TRUE(out.contains("Do you want to repair your database to fix any corruption caused by "
                             "an incomplete system shutdown?\n-> No"));
    EXPECT_FALSE(out.contains("Optimizing Database"));
    EXPECT_TRUE(readTestFile(entriesFile()) == before) << "the entries table was rewritten";

    EXPECT_EQ(run({"repair", "--yes"}), 0);
    EXPECT_TRUE(out.contains("Repair of your database has been completed!"));
    EXPECT_TRUE(out.contains("Optimizing Database"));
    EXPECT_EQ(err, "");
}

TEST_F(CliTest, ScanAddressesPrintsEachFilesAddressesAndGoesOnPastAnUnreadableOne)
{
    const QString first = writeFile("first.txt",
                                    "\xEF\xBB\xBFzoe@example.com first line\r\n"
                                    "Jos\xC3\xA9 Garc\xC3\xAD" "a <jose@example.es>, bob@hotmial.com\r\n"
                                    "no address\r\nlast: ann@example.org");
    const QString second = writeFile("second.txt", "ann@example.org\n");
    EXPECT_EQ(run({"scan-addresses", first, second}), 0);
    // The built-in exception list drops the misspelt "hotmial".
    EXPECT_EQ(out, "zoe@example.com\njose@example.es\nann@example.org\nann@example.org\n");
    EXPECT_EQ(err, "");

    const QString missing = home.filePath("missing.txt");
    EXPECT_EQ(run({"scan-addresses", missing, second}), 1);
    EXPECT_EQ(out, "ann@example.org\n");
    EXPECT_TRUE(err.startsWith("Cannot read " + missing + ": ")) << err.toStdString();
}

TEST_F(CliTest, AProblemToldMakesTheCommandFailAndUnreadableSettingsStopIt)
{
    ASSERT_EQ(run({"--yes", "info"}), 0);
    // The recent list cannot be written: a folder stands in its place.
    ASSERT_TRUE(QFile::remove(home.filePath("Config/recent.txt")));
    ASSERT_TRUE(QDir().mkpath(home.filePath("Config/recent.txt")));
    EXPECT_EQ(run({"--yes", "info"}), 1);
    EXPECT_TRUE(out.contains("Entries: 0\n"));
    EXPECT_TRUE(err.startsWith("The list of recent databases could not be saved.")) << err.toStdString();
    EXPECT_TRUE(err.endsWith("corvanel-cli: info did not complete as asked: see the message above.\n"))
        << err.toStdString();

    // Without its settings a command would work on the default database, not the
    // configured one: it is said, and nothing is opened or made.
    ASSERT_TRUE(QDir(home.filePath("DB")).removeRecursively());
    ASSERT_TRUE(QFile::remove(home.filePath("Config/Settings.ini")));
    ASSERT_TRUE(QDir().mkpath(home.filePath("Config/Settings.ini")));
    EXPECT_EQ(run({"--yes", "info"}), 1);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(err.startsWith("Error encountered loading user settings from your settings file!\n"))
        << err.toStdString();
    EXPECT_FALSE(QFile::exists(entriesFile()));
}

TEST_F(CliTest, OutputToAFullDiskExitsOneAndSaysWhy)
{
    for (const QStringList& arguments : {QStringList{"--yes", "info"}, QStringList{"--help"}}) {
        QProcess cli;
        cli.setProcessEnvironment(scratchEnvironment(home.path()));
        cli.setStandardOutputFile("/dev/full");
        cli.start(builtProgram("corvanel-cli"), arguments);
        ASSERT_TRUE(cli.waitForFinished()) << cli.errorString().toStdString();
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(cli.readAllStandardError().contains(
            "corvanel-cli: cannot write to standard output: No space left on device\n"));
    }
}

TEST_F(CliTest, ClassifySaysWhatEachMessageIsAndChangesNothing)
{
    writeFile("Config/Settings.ini", "[Settings]\nFailedMail=true\n");
    const QString join = writeFile("join.eml", "From: Ann <ann@x.test>\r\nSubject: subscribe\r\n\r\n");
    const QString away = writeFile("away.eml", "From: bob@x.test\r\nSubject: Re: subscribe\r\n"
                                               "Auto-Submitted: auto-replied\r\n\r\nAway.\r\n");
    const QString bounce = writeFile("bounce.eml", "From: MAILER-DAEMON@mx.x.test\r\nSubject: failure notice\r\n\r\n"
                                                   "<gone@x.test>: no mailbox here by that name\r\n");
    ASSERT_EQ(run({"--yes", "info"}), 0);
    EXPECT_EQ(run({"classify", join, away, bounce, home.filePath("missing.eml")}), 1);
    EXPECT_EQ(out, join + ": subscribe ann@x.test\n" + away + ": autoreply\n" + bounce + ": bounce gone@x.test\n");
    EXPECT_TRUE(err.startsWith(home.filePath("missing.eml") + ": ")) << err.toStdString();
    EXPECT_EQ(run({"info"}), 0);
    EXPECT_TRUE(out.contains("Entries: 0\n")) << out.toStdString();
}

TEST_F(CliTest, CheckWithoutAListFolderSaysSoAndFails)
{
    writeFile("Config/Settings.ini", "[Settings]\nRetrieveMethod=0\nEmailSoftware=1\n");
    EXPECT_EQ(run({"--yes", "check"}), 1);
    EXPECT_TRUE(out.contains("You have not specified the mailing list folder that you wish to scan under "
                             "View|Options, Scanning."))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith("looked at 0, acted on 0, left 0, failed 0\n")) << out.toStdString();
}

TEST_F(CliTest, Rtf2htmlWritesTheHtmlFileOrSaysWhyNot)
{
    const QString rtf = writeFile("in.rtf", "{\\rtf1 Dear {\\b members}\\par}");
    const QString html = home.filePath("out.html");
    EXPECT_EQ(run({"rtf2html", rtf, html}), 0);
    EXPECT_TRUE(readTestFile(html).contains("\nDear <B>members</B><BR>\n</BODY>\n"));
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({"rtf2html", home.filePath("missing.rtf"), html}), 1);
    EXPECT_TRUE(err.startsWith("rtf2html: Conversion Error (" + home.filePath("missing.rtf") + ": "))
        << err.toStdString();
    EXPECT_EQ(run({"rtf2html", rtf}), 2);
}
