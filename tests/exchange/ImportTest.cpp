#include "exchange/ImportFile.h"
#include "store/SqliteConnection.h"
#include "store/TableSchema.h"
#include "subscriptions/ListFixture.h"

#include <QSet>

namespace {

class Import : public ListFixture {
protected:
    ImportResult single(const QStringList& lines, const QString& group = "news", ImportOptions options = {})
    {
        options.note = "Import of entries from file \"list.txt\"";
        return Importfile(*ctx, lines, true, options, ",", false, group, false, report);
    }
    ImportResult multi(const QStringList& lines, ImportMapping mapping = {}, ImportOptions options = {})
    {
        options.note = "Import of entries from file \"list.csv\"";
        return ImportMultiColumnFile(*ctx, lines, mapping, options, report);
    }
    QStringList items() const
    {
        QStringList all;
        const_cast<Import*>(this)->entries().walk([&](const Entry& e) {
            all << e.Item + "|" + e.Category + "|" + e.Name;
            if (withDetails)
                all.last() += "|" + e.Comments + "|" + e.Salutation + "|" + e.Surname + "|" +
                              QString::number(e.SendRights) + QString::number(e.NewUser) + "|" +
                              QString::number(e.Status.value_or(-9));
            return true;
        });
        return all;
    }
    ImportReport report;
    bool withDetails = false;
};

}  // namespace

TEST_F(Import, SingleColumnTakesDisplayNamesSkipsBlankLinesAndRefusesAnAddressWithAGroupBehindIt)
{
    const ImportResult result =
        single({"Ann Smith <ann@example.test>", "", "   ", "bert@example.test", "cleo@example.test,news"});
    EXPECT_EQ(items(), QStringList({"ann@example.test|news|Ann Smith", "bert@example.test|news|"}));
    EXPECT_EQ(result.linesDone, 3);  // blank lines are not counted
    EXPECT_EQ(report.count(ImportRejection::NotAnAddress), 1);
    EXPECT_EQ(db->entryCount(), 2);
}

TEST_F(Import, MultiColumnNeverImportsTheHeaderAndLeavesMissingFieldsEmpty)
{
    const QStringList lines = {"E-mail,Full Name,Group,City", "ann@example.test,Ann,news,Leeds", "bert@example.test"};
    ImportMapping mapping;
    mapping.fieldOrder = {"E-mail", "Full Name", "Group", "City"};
    mapping.headerRow = looksLikeHeaderRow(lines);
    ASSERT_TRUE(mapping.headerRow);
    multi(lines, mapping);
    EXPECT_EQ(items(), QStringList({"ann@example.test|news|Ann", "bert@example.test|" + settings.defaultcategory + "|"}));
    EXPECT_EQ(entries().locate("ann@example.test")->City, "Leeds");
    EXPECT_TRUE(ui.sawText("2 entries have been processed!"));
}

TEST_F(Import, QuotedFieldsKeepTheirSeparatorsAndLineBreaksAndAnUnclosedQuoteIsNoQuote)
{
    ImportMapping mapping;
    mapping.fieldOrder = {"E-mail", "Full Name", "City"};
    QStringList lines = {"ann@example.test,\"Smith, Ann\",\"Leeds", "West\"", "bert@example.test,\"Bert,York"};
    for (int i = 0; i < 101; ++i)
        lines << "x" + QString::number(i) + "@example.test";
    multi(lines, mapping);
    const auto ann = entries().locate("ann@example.test");
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->Name, "Smith, Ann");
    EXPECT_EQ(ann->City, "Leeds\nWest");
    const auto bert = entries().locate("bert@example.test");
    ASSERT_TRUE(bert);
    EXPECT_EQ(bert->Name, "Bert");  // cut at every separator and its quote stripped, as a plain line
    EXPECT_TRUE(report.text().contains("Line 3"));
    EXPECT_TRUE(entries().locate("x100@example.test").has_value());
}

TEST_F(Import, ADryRunWritesNothingAndNamesEveryLineItWouldTurnDown)
{
    settings.Never = {"blocked@example.test"};
    addEntry("old@example.test", "news");
    ImportOptions options;
    options.dryRun = true;
    single({"new@example.test", "not an address", "blocked@example.test", "old@example.test", "new@example.test"},
           "news", options);
    EXPECT_EQ(entries().count(), 1);
    EXPECT_EQ(report.count(ImportRejection::NotAnAddress), 1);
    EXPECT_EQ(report.count(ImportRejection::Blocked), 1);
    EXPECT_EQ(report.count(ImportRejection::AlreadyOnList), 1);
    EXPECT_EQ(report.count(ImportRejection::DuplicateInFile), 1);
    const QString text = report.text();
    EXPECT_TRUE(text.contains("Line 5")) << text.toStdString();
    EXPECT_TRUE(text.contains("Line 3")) << text.toStdString();
}

TEST_F(Import, CommitsInBatchesAndACancelKeepsWhatWasDoneAndSaysHowFar)
{
    QStringList lines;
    for (int i = 0; i < 12000; ++i)
        lines << QString("u%1@example.test").arg(i);
    ImportOptions options;
    options.keepReport = true;
    ui.cancelAt = 300;  // progress is reported every 30th line
    const ImportResult result = single(lines, "news", options);
    EXPECT_FALSE(result.completed);
    EXPECT_GT(result.linesDone, 5000);
    EXPECT_LT(result.linesDone, 12000);
    EXPECT_EQ(entries().count(), result.linesDone);
    const QStringList log = fileLines("log.txt");
    EXPECT_TRUE(log.filter("committed up to line 5000").size() == 1) << log.join('\n').right(500).toStdString();
    EXPECT_TRUE(ui.sawText("The import was cancelled after " + QString::number(result.linesDone) +
                           " lines; every line before the cancel has been processed."));
    EXPECT_FALSE(ui.sawText("Processing of " + QString::number(result.linesDone) + " entries has been completed"));
    EXPECT_TRUE(QFile::exists(result.reportFile));
}

// The set-wise path must leave the list exactly as one insertentry per line does.
TEST_F(Import, TheBatchedPathGivesTheListOneRequestPerLineGives)
{
    settings.Never = {"blocked@example.test"};
    settings.ExceptList = {"spam"};
    settings.MultipleCategorySupport = true;
    addEntry("old@example.test", "news");
    withDetails = true;
    const QStringList lines = {"Ann <ann@example.test>", "old@example.test", "ann@example.test",
                               "blocked@example.test", "spam@example.test", "no-at-sign",
                               "Bert Jones <bert@example.test>", "ANN@example.test", "cleo@example.test,x"};
    settings.LogManualEntries = true;
    SqliteConnection& sql = db->database().connection();
    const QString figures = "SELECT (SELECT group_concat(Subscribes || '/' || Total) FROM " +
                            TableSchema::table(TableId::Statistics).sqlName + ") || ' ' || (SELECT group_concat(" +
                            "Category || '=' || Count) FROM " + TableSchema::table(TableId::GroupStatistics).sqlName +
                            ")";
    single(lines);
    const QStringList batched = items();
    const QString batchedFigures = sql.scalar(figures).toString();
    const qint64 batchedCount = db->entryCount();

    for (const TableId table : {TableId::Entries, TableId::Statistics, TableId::GroupStatistics})
        sql.exec("DELETE FROM " + TableSchema::table(table).sqlName);
    db->setEntryCount(0);
    addEntry("old@example.test", "news");
    for (const QString& line : lines)
        insertentry(*ctx, true, line.trimmed(), true, false, false, {}, "Import of entries from file \"list.txt\"",
                    TCVNAddress{}, {}, "news");
    EXPECT_EQ(batched, items());
    EXPECT_EQ(batchedFigures, sql.scalar(figures).toString());
    EXPECT_FALSE(batchedFigures.isEmpty());
    EXPECT_EQ(batchedCount, db->entryCount());
}
