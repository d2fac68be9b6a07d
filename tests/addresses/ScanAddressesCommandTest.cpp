#include "addresses/AddressFileScanner.h"
#include "addresses/ScanAddressesCommand.h"
#include "addresses/TextChunkReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ScanAddressesCommandTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    int run(const QStringList& files, const QStringList& exceptions = {"__", "hotmial"})
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return runScanAddresses(files, exceptions, outStream, errStream);
    }

    QTemporaryDir dir;
    QString out;
    QString err;
};

}  // namespace

TEST_F(ScanAddressesCommandTest, PrintsTheAddressesOfEachFileInOrder)
{
    const QString first = writeFile("first.txt",
                                    "\xEF\xBB\xBFzoe@example.com first line\r\n"
                                    "Jos\xC3\xA9 Garc\xC3\xAD" "a <jose@example.es>, bob@hotmial.com\r\n"
                                    "no address\r\nlast: ann@example.org");
    const QString second = writeFile("second.txt", "ann@example.org\n");
    EXPECT_EQ(run({first, second}), 0);
    EXPECT_EQ(out, "zoe@example.com\njose@example.es\nann@example.org\nann@example.org\n");
    EXPECT_EQ(err, "");
}

TEST_F(ScanAddressesCommandTest, ReadsWindows1252WhenNotUtf8)
{
    // "José" and a euro sign in Windows-1252: not valid UTF-8.
    const QString path = writeFile("ansi.txt", "Jos\xE9 <jose@example.es> paid \x80 5\r\nann@example.org\r\n");
    EXPECT_EQ(run({path}), 0);
    EXPECT_EQ(out, "jose@example.es\nann@example.org\n");

    QString error;
    const std::optional<QStringList> lines = extractAddressesFromFile(path, {}, error);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 2);
}

TEST_F(ScanAddressesCommandTest, DecodesTheSameWhateverTheChunkSize)
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

TEST_F(ScanAddressesCommandTest, ReportsAnUnreadableFileAndGoesOn)
{
    const QString good = writeFile("good.txt", "ann@example.org\n");
    const QString missing = dir.filePath("missing.txt");
    EXPECT_EQ(run({missing, good}), 1);
    EXPECT_EQ(out, "ann@example.org\n");
    EXPECT_TRUE(err.startsWith("Cannot read " + missing + ": ")) << err.toStdString();
}

TEST_F(ScanAddressesCommandTest, AppliesTheGivenExceptionList)
{
    const QString path = writeFile("list.txt", "bob@hotmial.com ann@example.org\n");
    EXPECT_EQ(run({path}, {"example"}), 0);
    EXPECT_EQ(out, "bob@hotmial.com\n");

    QString output;
    QTextStream stream(&output);
    EXPECT_EQ(runScanAddresses({path}, stream), 0);  // the built-in list
    EXPECT_EQ(output, "ann@example.org\n");
}
