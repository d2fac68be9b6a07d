#include "util/TextDecoder.h"
#include "util/TextFiles.h"

#include <gtest/gtest.h>

namespace {

// The text of the bytes handed over in pieces of `piece` bytes.
QString decodeInPieces(const QByteArray& bytes, qsizetype piece)
{
    TextDecoder decoder;
    QString text;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        text += decoder.decode(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
    return text + decoder.finish();
}

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const char16_t c : text.toStdU16String()) {
        const char high = char(c >> 8), low = char(c & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray utf32(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\x00\x00\xFE\xFF", 4) : QByteArray("\xFF\xFE\x00\x00", 4);
    for (const char32_t c : text.toStdU32String())
        for (int k = 0; k < 4; ++k)
            bytes.append(char(c >> (8 * (bigEndian ? 3 - k : k))));
    return bytes;
}

}  // namespace

TEST(TextDecoder, ReadsEachEncodingTheSameHoweverTheBytesAreCut)
{
    const QString text = QString::fromUtf8("Jos\u00e9 \u20ac5 \U0001F600 <ann@example.org>\r\n");
    const QList<std::pair<QByteArray, QString>> cases = {
        {text.toUtf8(), text},
        {"\xEF\xBB\xBF" + text.toUtf8(), text},
        {utf16(text, false), text},
        {utf16(text, true), text},
        {utf32(text, false), text},
        {utf32(text, true), text},
        // Windows-1252 between UTF-8: each byte outside a valid sequence on its own.
        {"caf\xE9 \xC3\xA9t\xE9 \x80 \xE2\x82\xAC", QString::fromUtf8("caf\u00e9 \u00e9t\u00e9 \u20ac \u20ac")},
        // Overlong forms, a surrogate, a byte beyond the range, a stray continuation,
        // a sequence cut off by the end: none is UTF-8.
        {"\xC0\x80|\xED\xA0\x80|\xF5|\x85|\xE2\x82", QString::fromUtf8("\u00c0\u20ac|\u00ed\u00a0\u20ac|\u00f5|\u2026|\u00e2\u201a")},
        // NUL bytes without a mark are not taken for UTF-16.
        {QByteArray("a\0b\0", 4), QStringView(u"a\0b\0", 4).toString()},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(decodeText(bytes), expected) << bytes.toHex().toStdString();
        for (const qsizetype piece : {1, 2, 3, 5})
            EXPECT_EQ(decodeInPieces(bytes, piece), expected) << bytes.toHex().toStdString() << " / " << piece;
    }
}
