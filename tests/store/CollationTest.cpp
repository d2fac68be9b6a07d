#include "store/UnicodeCollation.h"

#include <QString>
#include <gtest/gtest.h>

#include <random>

namespace {
int sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

// The grid sorts a million rows by these keys first: wherever a key pair claims
// to know the order, it must be the order the collation (and every index) gives.
TEST(CollationTest, APrefixKeyNeverOrdersTwoTextsOtherwiseThanTheCollation)
{
    // Letters of both cases, the ASCII signs that lie between them, digits, NUL,
    // and letters beyond ASCII whose case folding differs from ASCII's.
    const QString alphabet = QString::fromUtf8("aAbBzZ_[`~ 0.9@\xc3\xa9\xc3\x89\xc3\x9f\xc3\x9c\xf0\x9d\x84\x9e") +
                             QChar(0);
    std::mt19937 random(7);
    const auto text = [&](const QString& stem) {
        QString t = stem.left(int(random() % (stem.size() + 1)));
        const int extra = int(random() % 20);
        for (int i = 0; i < extra; ++i)
            t += alphabet[qsizetype(random() % alphabet.size())];
        return t;
    };
    int decided = 0;
    const int pairs = 100000;
    for (int i = 0; i < pairs; ++i) {
        const QString a = text(QString());
        const QString b = random() % 2 ? text(a) : text(a.toUpper());  // long shared beginnings too
        const int byKey = sign(compareNoCasePrefixes(noCasePrefix(a), noCasePrefix(b)));
        if (byKey == 0)
            continue;
        ++decided;
        ASSERT_EQ(byKey, sign(unicodeNoCase(a, b))) << a.toStdString() << " / " << b.toStdString();
    }
    EXPECT_GT(decided, pairs / 10);  // the keys do settle pairs
}
