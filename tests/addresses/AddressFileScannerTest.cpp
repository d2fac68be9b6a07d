#include "addresses/AddressFileScanner.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AddressFileScannerTest : public ::testing::Test {
protected:
    std::optional<QStringList> scan(const QByteArray& bytes, const QStringList& exceptions = {})
    {
        const QString path = dir.filePath("scanned.txt");
        writeTestFile(path, bytes);
        QString error;
        return extractAddressesFromFile(path, exceptions, error);
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(AddressFileScannerTest, ReadsEveryEncodingAWindowsOrUnixToolWrites)
{
    const QStringList both{"jose@example.es", "ann@example.org"};
    // "José" and a euro sign in Windows-1252, beside UTF-8 text: each reads as written.
    EXPECT_EQ(scan("Jos\xE9 <jose@example.es> paid \x80 5\r\nann@example.org\r\n"), both);
    EXPECT_EQ(scan("Jos\xC3\xA9 <jose@example.es>, caf\xE9\nann@example.org"), both);
    const QString text = QString::fromUtf8("Jos\u00e9 <jose@example.es>\r\n\u20ac ann@example.org\r\n");
    QByteArray utf16le("\xFF\xFE", 2);
    for (const char16_t c : text.toStdU16String())
        utf16le.append(char(c & 0xFF)).append(char(c >> 8));
    EXPECT_EQ(scan(utf16le), both);
    QByteArray utf32be("\x00\x00\xFE\xFF", 4);
    for (const char32_t c : text.toStdU32String())
        utf32be.append(char(0)).append(char(c >> 16)).append(char((c >> 8) & 0xFF)).append(char(c & 0xFF));
    EXPECT_EQ(scan(utf32be), both);
}

TEST_F(AddressFileScannerTest, AppliesTheGivenExceptionList)
{
    EXPECT_EQ(scan("bob@hotmial.com ann@example.org\n", {"example"}), QStringList{"bob@hotmial.com"});
    EXPECT_EQ(scan("bob@hotmial.com ann@example.org\n", {"hotmial"}), QStringList{"ann@example.org"});
}

TEST_F(AddressFileScannerTest, SaysWhyAFileCannotBeRead)
{
    QString error;
    EXPECT_FALSE(extractAddressesFromFile(dir.filePath("missing.txt"), {}, error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(extractAddressesFromFile(dir.path(), {}, error)) << "a folder is no text file";
    EXPECT_FALSE(error.isEmpty());
}
