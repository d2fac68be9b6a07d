#include "app/ConsoleUi.h"

#include <gtest/gtest.h>

TEST(ConsoleUi, AnswersNoOrYesAndPrintsEveryMessage)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    ConsoleUi no(false, outStream, errStream);
    EXPECT_EQ(no.message(Ui::Icon::Confirmation, "Go on?", Ui::Buttons::YesNo), Ui::Answer::No);
    EXPECT_EQ(no.message(Ui::Icon::Warning, "Careful", Ui::Buttons::OkCancel), Ui::Answer::Cancel);
    EXPECT_FALSE(no.inputText("Database Name", "Enter the name for this database", {}));
    EXPECT_FALSE(no.chooseDatabaseFolder({}));
    ConsoleUi yes(true, outStream, errStream);
    EXPECT_EQ(yes.message(Ui::Icon::Confirmation, "Again?", Ui::Buttons::YesNo), Ui::Answer::Yes);
    EXPECT_EQ(yes.message(Ui::Icon::Confirmation, "Ok?", Ui::Buttons::OkCancel), Ui::Answer::Ok);

    EXPECT_TRUE(out.contains("Go on?\n-> No"));
    EXPECT_TRUE(out.contains("Again?\n-> Yes"));
    EXPECT_TRUE(out.contains("Ok?\n-> Ok"));
    EXPECT_FALSE(out.contains("Careful"));
    EXPECT_EQ(err, "Careful\n-> Cancel\n");

    // A warning asked about is the caller's to handle; one only told is a failure.
    EXPECT_EQ(no.problemsTold(), 0);
    no.warn("Could not");
    no.message(Ui::Icon::Error, "Broken", Ui::Buttons::Ok);
    no.inform("Done");
    EXPECT_EQ(no.problemsTold(), 2);
}
