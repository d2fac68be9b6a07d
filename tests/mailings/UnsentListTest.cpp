#include "mailings/UnsentList.h"
#include "support/SendListRows.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(UnsentList, WritesEveryRowTheServerDidNotTake)
{
    TemporarySendList list;
    list.add("e@example.test", "Eve Accepted", SendOutcome::of(SendState::Accepted));
    list.add("d@example.test", "", SendOutcome::of(SendState::Waiting));
    list.add("c@example.test", "Carl", SendOutcome::of(SendState::Cancelled));
    list.add("b@example.test", "Bob Refused", SendOutcome::refused(550, "No such user"));
    list.add("a@example.test", "Ann Maybe", SendOutcome::of(SendState::Uncertain));
    const QString file = list.dir.filePath("unsent.txt");
    writeTestFile(file, "an older list that is longer than the new one\n");

    ASSERT_TRUE(SaveUnsentList(list.table, file, list.ui));
    EXPECT_EQ(QString::fromUtf8(readTestFile(file)),
              "Bob Refused <b@example.test>\nCarl <c@example.test>\nd@example.test\n");
    EXPECT_TRUE(list.ui.shown.isEmpty());
}

TEST(UnsentList, AFailureIsShownAndLeavesTheOldFile)
{
    TemporarySendList list;
    list.add("a@example.test", "Ann", SendOutcome::of(SendState::Waiting));
    const QString file = list.dir.filePath("unsent.txt");
    writeTestFile(file, "the old list\n");
    const QString prefix = "An error was encountered exporting your list: ";

    // A folder that is a file: nothing can be written there, not even by root.
    EXPECT_FALSE(SaveUnsentList(list.table, file + "/unsent.txt", list.ui));
    // A table that breaks off once the new file has been started.
    list.table.FreeSendMailTable(false);
    EXPECT_FALSE(SaveUnsentList(list.table, file, list.ui));

    ASSERT_EQ(list.ui.shown.size(), 2);
    for (const ScriptedUi::Shown& shown : list.ui.shown) {
        EXPECT_TRUE(shown.text.startsWith(prefix)) << shown.text.toStdString();
        EXPECT_GT(shown.text.size(), prefix.size());  // the reason follows
    }
    EXPECT_EQ(readTestFile(file), "the old list\n");
    EXPECT_EQ(QDir(list.dir.path()).entryList({"unsent*"}, QDir::Files | QDir::Hidden), QStringList{"unsent.txt"});
}

}  // namespace
