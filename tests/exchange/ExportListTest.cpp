#include "ExportFixture.h"
#include "exchange/DelimitedValue.h"

namespace {

using Col = ExportColumn;

class ExportListTest : public ExportFixture {
protected:
    bool exportTo(const QString& file, const QString& separator, const ExportColumnFlags& columns,
                  ExportHooks hooks = {})
    {
        return exportlist(context(std::move(hooks)), file, {}, separator, false, columns);
    }
};

TEST_F(ExportListTest, APlainListIsWrittenByteForByteInItemOrderWithCrLf)
{
    add("zoe@x.test", "Zo\u00eb Adams", "Z\u00fcrich");
    add("ann@x.test", "Ann Lee", "Paris");
    add("Bob@x.test", "", "Oslo");
    const QString file = path("list.csv");
    ASSERT_TRUE(exportTo(file, ";", only({Col::Email, Col::FullName, Col::City})));
    EXPECT_EQ(readTestFile(file), QByteArray("E-mail;Full Name;City\r\n"
                                             "ann@x.test;Ann Lee;Paris\r\n"
                                             "Bob@x.test;;Oslo\r\n"
                                             "zoe@x.test;Zo\xc3\xab Adams;Z\xc3\xbcrich\r\n"));
    EXPECT_EQ(ui.progressCaptions, QStringList{"Exporting Entries"});
    EXPECT_EQ(ui.progressPositions, (QList<int>{1, 2, 3}));
    EXPECT_EQ(ui.busyDepth, 0);

    // An empty separator is a comma; a comma inside a value under ";" needs nothing.
    add("cy@x.test", "Lee, Cy");
    ASSERT_TRUE(exportTo(file, "", only({Col::Email, Col::Group})));
    EXPECT_TRUE(readTestFile(file).startsWith("E-mail,Group\r\nann@x.test,default\r\n"));
    ASSERT_TRUE(exportTo(file, ";", only({Col::FullName})));
    EXPECT_TRUE(readTestFile(file).contains("\r\nLee, Cy\r\n"));
}

TEST_F(ExportListTest, AValueThatWouldNotReadBackIsQuotedAndNoCharacterIsCut)
{
    add("a@x.test", "Lee, Cy", "Ends with,");
    add("b@x.test", "Say \"hi\"", " padded ");
    add("c@x.test", "two\r\nlines", "plain");
    const QString file = path("quoted.csv");
    ASSERT_TRUE(exportTo(file, ",", only({Col::Email, Col::FullName, Col::City})));
    EXPECT_EQ(readTestFile(file), QByteArray("E-mail,Full Name,City\r\n"
                                             "a@x.test,\"Lee, Cy\",\"Ends with,\"\r\n"
                                             "b@x.test,\"Say \"\"hi\"\"\",\" padded \"\r\n"
                                             "c@x.test,\"two\r\nlines\",plain\r\n"));
    // A heading holding the separator is quoted like any value.
    EXPECT_EQ(delimitedValue("Full Name", ' '), "\"Full Name\"");
    EXPECT_EQ(delimitedValue("", ','), "");
}

TEST_F(ExportListTest, AnEmptyListGivesAnEmptyFileAndOneEntryBringsTheHeading)
{
    const QString file = path("empty.csv");
    writeTestFile(file, "old contents");
    ASSERT_TRUE(exportTo(file, ",", only({Col::Email})));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(readTestFile(file), QByteArray());

    add("only@x.test");
    ASSERT_TRUE(exportTo(file, ",", only({Col::Email})));
    EXPECT_EQ(readTestFile(file), QByteArray("E-mail\r\nonly@x.test\r\n"));
}

TEST_F(ExportListTest, ACancelledRunKeepsWhatWasWrittenAndFails)
{
    Transaction batch(db->database().connection());
    for (int i = 0; i < 50; ++i)
        add(QStringLiteral("m%1@x.test").arg(i, 2, 10, QChar('0')));
    batch.commit();
    ui.cancelAt = 30;
    int holds = 0;
    ExportHooks hooks;
    hooks.holdWindow = [&](bool working) { holds += working ? 1 : -10; };
    const QString file = path("cut.csv");
    EXPECT_FALSE(exportTo(file, ",", only({Col::Email}), hooks));
    const QList<QByteArray> lines = readTestFile(file).split('\n');
    ASSERT_EQ(lines.size(), 31);  // heading, 29 entries, nothing after the last break
    EXPECT_EQ(lines[29], "m28@x.test\r");
    EXPECT_EQ(holds, -9) << "the window is held once and given back once";
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(ExportListTest, AFileThatCannotBeWrittenIsNamedAndTheRunFails)
{
    add("a@x.test");
    const QString file = path("no such folder/list.csv");
    EXPECT_FALSE(exportTo(file, ",", only({Col::Email})));
    EXPECT_EQ(ui.texts(), QStringList{"Unable to write to the file, " + file});
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(ExportListTest, ALineThatFailsAsksAndAFileNotOnTheDiskIsNoSuccess)
{
    Transaction batch(db->database().connection());
    for (int i = 0; i < 25; ++i)
        add(QStringLiteral("m%1@x.test").arg(i, 2, 10, QChar('0')));
    batch.commit();
    const QString question = "An error was encountered with line 20.  Do you want to continue?";
    EXPECT_FALSE(exportTo("/dev/full", ",", only({Col::Email})));  // No
    EXPECT_EQ(ui.texts(), QStringList{question});

    ui.shown.clear();
    ui.answer(Ui::Answer::Yes);
    EXPECT_FALSE(exportTo("/dev/full", ",", only({Col::Email})));
    EXPECT_EQ(ui.texts(), (QStringList{question, "An error was encountered writing the file, /dev/full, check you "
                                                 "have sufficient disk space and try again."}));
}

TEST_F(ExportListTest, PrintingHandsOverOnePageAndAFailedPrintIsSaid)
{
    add("b@x.test", "Bob");
    add("a@x.test", "Ann");
    QString title;
    QString page;
    ExportHooks hooks;
    hooks.print = [&](const QString& t, const QString& p) {
        title = t;
        page = p;
        return PrintResult::Printed;
    };
    const auto print = [&](ExportHooks h) {
        return exportlist(context(std::move(h)), {}, "Mailing List Print at now", ",", false,
                          only({Col::Email, Col::FullName}));
    };
    EXPECT_TRUE(print(hooks));
    EXPECT_EQ(title, "Mailing List Print at now");
    EXPECT_EQ(page, "E-mail,Full Name\na@x.test,Ann\nb@x.test,Bob\n");
    EXPECT_TRUE(ui.shown.isEmpty());

    hooks.print = [](const QString&, const QString&) { return PrintResult::Cancelled; };
    EXPECT_TRUE(print(hooks));
    EXPECT_TRUE(ui.shown.isEmpty());

    hooks.print = [](const QString&, const QString&) { return PrintResult::Failed; };
    EXPECT_FALSE(print(hooks));
    EXPECT_EQ(ui.texts(), QStringList{"An error was encountered printing the file, , check you have sufficient "
                                      "disk space and try again."});
}

}  // namespace
