#include "sending/TemporaryMessageFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TemporaryMessageFile, TakesAFreeNameAndHoldsItAtOnce)
{
    QTemporaryDir dir;
    QRandomGenerator first(7);
    QRandomGenerator same(7);
    const QString taken = temporaryMessageFile(".rtf", dir.path(), first);
    ASSERT_FALSE(taken.isEmpty());
    EXPECT_TRUE(QRegularExpression(R"(^~msg([0-9]|[1-9][0-9]{1,3})\.rtf$)").match(QFileInfo(taken).fileName()).hasMatch());
    EXPECT_TRUE(QFileInfo::exists(taken));
    EXPECT_EQ(QFileInfo(taken).size(), 0);

    // The same draw of numbers finds the name taken and moves on.
    const QString next = temporaryMessageFile(".rtf", dir.path(), same);
    ASSERT_FALSE(next.isEmpty());
    EXPECT_NE(next, taken);
    EXPECT_TRUE(QFileInfo::exists(next));
}

TEST(TemporaryMessageFile, AFolderThatCannotBeWrittenGivesNoName)
{
    QTemporaryDir dir;
    EXPECT_TRUE(temporaryMessageFile(".htm", dir.filePath("missing/folder")).isEmpty());
}

}  // namespace
