#include "store/UnicodeCollation.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
// The loadable extension compiles this file against SQLite's extension interface,
// which reaches the engine of the program that loaded it.
#ifdef CORVANEL_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

namespace {

// ASCII letters to lower case without a branch: 'A'..'Z' gain the 0x20 bit.
inline unsigned foldAscii(unsigned c) { return c | (unsigned(c - 'A' < 26u) << 5); }

inline std::uint64_t load8(const unsigned char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline bool continuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Upper case of a Latin-1 code point by its simple mapping; 0 where that is
// not the whole answer (ß becomes "SS", ÿ and µ leave Latin-1).
char32_t latin1Upper(char32_t c)
{
    if (c == 0xDF || c == 0xFF || c == 0xB5)
        return 0;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    return c;
}

// Writes the upper case of UTF-8 text whose characters all lie in Latin-1
// (other than those latin1Upper turns down) into out, of the same length;
// false when some character is outside that set.
bool upperLatin1(const unsigned char* text, int length, char* out)
{
    for (int i = 0; i < length;) {
        const unsigned c = text[i];
        if (c < 0x80) {
            out[i++] = char(c - (unsigned(c - 'a' < 26u) << 5));
            continue;
        }
        // Two-byte forms of U+0080..U+00FF start with 0xC2 or 0xC3.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= length || !continuationByte(text[i + 1]))
            return false;
        const char32_t up = latin1Upper(((c & 0x1F) << 6) | (text[i + 1] & 0x3F));
        if (up == 0)
            return false;
        out[i] = char(0xC0 | (up >> 6));
        out[i + 1] = char(0x80 | (up & 0x3F));
        i += 2;
    }
    return true;
}

}  // namespace

// Equal bytes are equal characters whatever their case, so they are passed over
// (eight at a time) without folding; differing ASCII letters are folded on the
// bytes. Only from a differing non-ASCII character on does the rest go through
// Qt's case folding, which compares character by character, so the equal part
// before it cannot change the answer.
int unicodeNoCase(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int shorter = lengthA < lengthB ? lengthA : lengthB;
    int i = 0;
    while (i < shorter) {
        if (i + 8 <= shorter && load8(pa + i) == load8(pb + i)) {
            i += 8;
            continue;
        }
        const unsigned ca = pa[i];
        const unsigned cb = pb[i];
        if (ca == cb) {
            ++i;
            continue;
        }
        if ((ca | cb) & 0x80)
            break;
        const int diff = int(foldAscii(ca)) - int(foldAscii(cb));
        if (diff != 0)
            return diff;
        ++i;
    }
    if (i == shorter)  // one is a prefix of the other
        return lengthA - lengthB;
    // Back to the start of the character the difference lies in.
    while (i > 0 && continuationByte(pa[i]))
        --i;
    const QString restA = QString::fromUtf8(reinterpret_cast<const char*>(pa + i), lengthA - i);
    const QString restB = QString::fromUtf8(reinterpret_cast<const char*>(pb + i), lengthB - i);
    return QString::compare(restA, restB, Qt::CaseInsensitive);
}

// As above: equal units and ASCII letters on the units, the rest from the first
// differing non-ASCII character through Qt's case folding.
int unicodeNoCase(QStringView a, QStringView b)
{
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype i = 0;
    for (; i < shorter; ++i) {
        const char16_t ca = a[i].unicode();
        const char16_t cb = b[i].unicode();
        if (ca == cb)
            continue;
        if ((ca | cb) >= 0x80)
            break;
        const int diff = int(foldAscii(ca)) - int(foldAscii(cb));
        if (diff != 0)
            return diff;
    }
    if (i == shorter)
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    if (i > 0 && a[i].isLowSurrogate())  // back to the start of the character
        --i;
    return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive);
}

NoCasePrefix noCasePrefix(QStringView text)
{
    // A byte of 0 marks where the key stops: the text's end, or a character the
    // key cannot stand for (NUL or beyond ASCII).
    NoCasePrefix key;
    const qsizetype n = std::min<qsizetype>(text.size(), 16);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0 || c >= 0x80)
            break;
        std::uint64_t& word = i < 8 ? key.high : key.low;
        word |= std::uint64_t(foldAscii(c)) << (56 - 8 * (i % 8));
    }
    return key;
}

int compareNoCasePrefixes(const NoCasePrefix& a, const NoCasePrefix& b)
{
    std::uint64_t wordA = a.high;
    std::uint64_t wordB = b.high;
    if (wordA == wordB) {
        wordA = a.low;
        wordB = b.low;
        if (wordA == wordB)
            return 0;
    }
    // The first byte that differs; the bytes before it are equal characters.
    const int shift = 56 - (std::countl_zero(wordA ^ wordB) / 8) * 8;
    const int byteA = int((wordA >> shift) & 0xff);
    const int byteB = int((wordB >> shift) & 0xff);
    if (byteA == 0 || byteB == 0)  // one key stopped there: the texts must say
        return 0;
    return byteA - byteB;
}

void unicodeUpper(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(argv[0]);
    const int length = sqlite3_value_bytes(argv[0]);
    // Most texts are short: they are cased on the stack and copied once by SQLite.
    constexpr int kStack = 256;
    char stack[kStack];
    if (length <= kStack && upperLatin1(text, length, stack)) {
        sqlite3_result_text(context, stack, length, SQLITE_TRANSIENT);
        return;
    }
    const QByteArray upper =
        QString::fromUtf8(reinterpret_cast<const char*>(text), length).toUpper().toUtf8();
    sqlite3_result_text(context, upper.constData(), int(upper.size()), SQLITE_TRANSIENT);
}

int registerUnicodeFunctions(sqlite3* db)
{
    const int rc = sqlite3_create_collation(db, kUnicodeNoCase, SQLITE_UTF8, nullptr, unicodeNoCase);
    if (rc != SQLITE_OK)
        return rc;
    return sqlite3_create_function(db, kUnicodeUpper, 1,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                   unicodeUpper, nullptr, nullptr);
}
