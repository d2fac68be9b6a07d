#include "addresses/AddressFileScanner.h"
#include "addresses/TextChunkReader.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AddressFileScannerTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeTestFile(path, bytes);
        return path;
    }

    std::optional<QStringList> scan(const QString& path, const QStringList& exceptions)
    {
        QString error;
        return extractAddressesFromFile(path, exceptions, error);
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(AddressFileScannerTest, ReadsWindows1252WhenNotUtf8)
{
    // "José" and a euro sign in Windows-1252: not valid UTF-8.
    const QString path = writeFile("ansi.txt", "Jos\xE9 <jose@example.es> paid \x80 5\r\nann@example.org\r\n");
    EXPECT_EQ(scan(path, {}), (QStringList{"jose@example.es", "ann@example.org"}));
}

TEST_F(AddressFileScannerTest, DecodesTheSameWhateverTheChunkSize)
{
    const QByteArray utf8 = "caf\xC3\xA9 one@example.com\nx\xE2\x82\xAC two@example.com\r\nthree@example.com";
    const QString utfPath = writeFile("utf8.txt", utf8);
    const QString ansiPath = writeFile("ansi.txt", "caf\xE9 one@example.com\n\xE9\xE9 two@example.com\n");
    // A file cut in the middle of a multi-byte sequence is not valid UTF-8.
    const QString cutPath = writeFile("cut.txt", "one@example.com\ncaf\xC3");
    for (const qsizetype chunk : {1, 2, 3, 5, 7, 64, 4096}) {
        const TextChunkReader reader(chunk);
        QString error;
        EXPECT_EQ(extractAddressesFromFile(utfPath, {}, reader, error),
                  (QStringList{"one@example.com", "two@example.com", "three@example.com"}))
            << chunk;
        EXPECT_EQ(extractAddressesFromFile(ansiPath, {}, reader, error),
                  (QStringList{"one@example.com", "two@example.com"}))
            << chunk;

        QString text;
        const auto collect = [&](QStringView piece) {
            EXPECT_TRUE(piece.endsWith(u'\n') || piece.endsWith(u'\r')) << chunk;
            text += piece;
        };
        EXPECT_EQ(reader.read(utfPath, TextChunkReader::Encoding::Utf8, collect, error),
                  TextChunkReader::Status::Complete);
        EXPECT_EQ(text, QString::fromUtf8(utf8) + "\n");
        EXPECT_EQ(reader.read(cutPath, TextChunkReader::Encoding::Utf8, [](QStringView) {}, error),
                  TextChunkReader::Status::NotUtf8)
            << chunk;
    }
}

TEST_F(AddressFileScannerTest, AppliesTheGivenExceptionList)
{
    const QString path = writeFile("list.txt", "bob@hotmial.com ann@example.org\n");
    EXPECT_EQ(scan(path, {"example"}), QStringList{"bob@hotmial.com"});
    EXPECT_EQ(scan(path, {"hotmial"}), QStringList{"ann@example.org"});
}

TEST_F(AddressFileScannerTest, SaysWhyAFileCannotBeRead)
{
    QString error;
    EXPECT_FALSE(extractAddressesFromFile(dir.filePath("missing.txt"), {}, error));
    EXPECT_FALSE(error.isEmpty());
}
