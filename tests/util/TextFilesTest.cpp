#include "util/TextFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeBytes(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.path() + "/list.txt";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

}  // namespace

TEST(TextFiles, ReadsUtf8AndDropsTheByteOrderMark)
{
    QTemporaryDir dir;
    const auto lines = readTextLines(writeBytes(dir, "\xef\xbb\xbfZo\xc3\xab\r\nsecond\n"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{"Zoë", "second"}));
}

TEST(TextFiles, FallsBackToWindows1252WhenNotUtf8)
{
    QTemporaryDir dir;
    // "café – €5" as an old Windows tool would have written it.
    const auto lines = readTextLines(writeBytes(dir, "caf\xe9 \x96 \x80" "5\r\n\x81"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{QString::fromUtf8("café – €5"), QString(QChar(0x81))}));
}

TEST(TextFiles, ATruncatedUtf8SequenceAtTheEndIsNotUtf8)
{
    QTemporaryDir dir;
    const auto text = readText(writeBytes(dir, "ab\xc3"));
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QString::fromUtf8("abÃ"));
}

TEST(TextFiles, LineBreaksOfEveryKindAndNoExtraLastLine)
{
    QTemporaryDir dir;
    EXPECT_EQ(*readTextLines(writeBytes(dir, "a\rb\r\n\nc")), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(*readTextLines(writeBytes(dir, "")), QStringList());
    EXPECT_EQ(*readTextLines(writeBytes(dir, "\n")), QStringList{""});
    EXPECT_FALSE(readTextLines(dir.path() + "/missing.txt"));
}

TEST(TextFiles, AtomicWriteReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString path = writeBytes(dir, "old content that is longer\n");
    EXPECT_TRUE(writeTextFileAtomically(path, QStringList{"Zoë", "b"}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Zo\xc3\xab\nb\n"));
    EXPECT_EQ(*readTextLines(path), (QStringList{"Zoë", "b"}));
}

TEST(TextFiles, AtomicWriteIntoAMissingFolderFails)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeTextFileAtomically(dir.path() + "/no/such/file.txt", QByteArray("x")));
}
