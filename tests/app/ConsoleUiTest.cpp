#include "app/ConsoleUi.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {
QString contents(FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray bytes;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, qsizetype(n));
    return QString::fromUtf8(bytes);
}
}  // namespace

TEST(ConsoleUi, AnswersNoOrYesAndPrintsEveryMessage)
{
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    {
        ConsoleUi no(false, out, err);
        EXPECT_EQ(no.message(Ui::Icon::Confirmation, "Go on?", Ui::Buttons::YesNo), Ui::Answer::No);
        EXPECT_EQ(no.message(Ui::Icon::Warning, "Careful", Ui::Buttons::OkCancel),
                  Ui::Answer::Cancel);
        EXPECT_FALSE(no.inputText("Database Name", "Enter the name for this database", {}));
        EXPECT_FALSE(no.chooseDatabaseFolder({}));
        ConsoleUi yes(true, out, err);
        EXPECT_EQ(yes.message(Ui::Icon::Confirmation, "Again?", Ui::Buttons::YesNo),
                  Ui::Answer::Yes);
        EXPECT_EQ(yes.message(Ui::Icon::Confirmation, "Ok?", Ui::Buttons::OkCancel), Ui::Answer::Ok);
    }
    const QString printed = contents(out);
    EXPECT_TRUE(printed.contains("Go on?\n-> No"));
    EXPECT_TRUE(printed.contains("Again?\n-> Yes"));
    EXPECT_TRUE(printed.contains("Ok?\n-> Ok"));
    EXPECT_TRUE(contents(err).contains("Careful\n-> Cancel"));
    std::fclose(out);
    std::fclose(err);
}
