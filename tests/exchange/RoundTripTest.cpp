#include "exchange/ExportColumns.h"
#include "exchange/ExportList.h"
#include "exchange/ImportFile.h"
#include "store/SqliteConnection.h"
#include "subscriptions/ListFixture.h"

// A list written out and read back into an empty list with the same groups is the
// same list, value for value, whatever its values hold.
TEST_F(ListFixture, AnExportedListReadsBackFieldForField)
{
    settings.Cats = {"default", "news", "o'brien"};
    // At most ten characters: the shortest field keeps no more.
    const QStringList hostile = {"Smith, Ann", "say \"hi\"", "two\r\nline", "Jürgen 東京", "ends with,",
                                 "  padded  ", ",",            "\"",           "end quote\"", "plain"};
    // The entry rules trim a name, strip its quotes and guess an empty one, so the
    // names are hostile only in ways those rules leave alone.
    const QStringList names = {"Smith, Ann", "Jürgen Ørsted", "O'Brien; \"Al\" Jr", "ends with,"};
    QList<Entry> written;
    for (int i = 0; i < hostile.size(); ++i) {
        Entry e;
        e.Item = QString("u%1@example.test").arg(i);
        e.Category = i % 2 ? "news" : "o'brien";
        e.Name = names[i % names.size()];
        for (int c = 3; c < kExportColumnCount; ++c)
            setExportValue(e, exportColumnAt(c), hostile[(i + c) % hostile.size()]);
        entries().insert(e);
        written << e;
    }
    const QString file = dir.filePath("list.csv");
    ExportColumnFlags all;
    all.fill(true);
    ASSERT_TRUE(exportlist({entries(), ui, {}}, file, {}, ",", false, all));

    db->database().connection().exec("DELETE FROM mailist");
    const std::optional<QStringList> lines = readDelimitedLines(file);
    ASSERT_TRUE(lines);
    ImportMapping mapping;
    mapping.headerRow = looksLikeHeaderRow(*lines);
    ASSERT_TRUE(mapping.headerRow);
    ImportReport report;
    ImportMultiColumnFile(*ctx, *lines, mapping, {}, report);

    for (const Entry& before : written) {
        const auto after = entries().locate(before.Item);
        ASSERT_TRUE(after) << before.Item.toStdString();
        for (int c = 0; c < kExportColumnCount; ++c)
            EXPECT_EQ(exportValue(*after, exportColumnAt(c)), exportValue(before, exportColumnAt(c)))
                << before.Item.toStdString() << " " << exportHeading(exportColumnAt(c)).toStdString();
    }
    EXPECT_EQ(entries().count(), written.size());
}
