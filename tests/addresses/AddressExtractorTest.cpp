#include "addresses/AddressExtractor.h"

#include <gtest/gtest.h>

namespace {

const QStringList defaultExceptions{"__", "hotmial"};

QStringList scanLine(const QString& line, const QStringList& exceptions = defaultExceptions)
{
    QStringList found{"left over"};
    extractemailaddresses({line}, exceptions, found);
    return found;
}

}  // namespace

TEST(AddressStopChars, HoldsExactlyTheTwentyEightCharacters)
{
    const QString expected = QString::fromUtf16(u"\x01 !\"#%&'()*,/:;<=>?[\\]^`{|}\u00B4");
    ASSERT_EQ(expected.size(), 28);
    QString actual;
    for (char16_t c = 0; c < 0x3000; ++c) {
        if (isAddressStopChar(c))
            actual += QChar(c);
    }
    EXPECT_EQ(actual, expected);
}

TEST(ScanLineForAddresses, EveryStopCharacterEndsACandidateOnBothSides)
{
    for (const QChar stop : QString::fromUtf16(u"\x01 !\"#%&'()*,/:;<=>?[\\]^`{|}\u00B4")) {
        const QString line = "x" + QString(stop) + "ann@example.com" + QString(stop) + "y";
        EXPECT_EQ(scanLine(line), QStringList{"ann@example.com"}) << int(stop.unicode());
    }
}

TEST(ScanLineForAddresses, OtherCharactersStayInTheCandidate)
{
    // Allowed in addresses, so they join the candidate and the address grows.
    EXPECT_EQ(scanLine("x$ann@example.com+"), QStringList{"x$ann@example.com+"});
    EXPECT_EQ(scanLine("ann+news@example.com"), QStringList{"ann+news@example.com"});
    // Not allowed in addresses, but no stop either: the whole candidate fails.
    EXPECT_EQ(scanLine("~ann@example.com"), QStringList{});
    EXPECT_EQ(scanLine(QString::fromUtf8("caf\u00e9ann@example.com")), QStringList{});
    EXPECT_EQ(scanLine(QString::fromUtf8("ann@example.com\u00e9")), QStringList{});
}

TEST(ScanLineForAddresses, FindsAddressesInOrderWithoutBrackets)
{
    EXPECT_EQ(scanLine("To: John <john@example.com>, mary@example.org"),
              (QStringList{"john@example.com", "mary@example.org"}));
    EXPECT_EQ(scanLine("<a href=\"mailto:sales@shop.example.net\">write</a>"),
              QStringList{"sales@shop.example.net"});
    EXPECT_EQ(scanLine("twice: ann@example.com ann@example.com"),
              (QStringList{"ann@example.com", "ann@example.com"}));
}

TEST(ScanLineForAddresses, TrailingPunctuationIsNotTrimmed)
{
    EXPECT_EQ(scanLine("Write to ann@example.com."), QStringList{});
    EXPECT_EQ(scanLine("Write to me (ann@example.com)."), QStringList{"ann@example.com"});
    EXPECT_EQ(scanLine("ANN@Example.COM"), QStringList{"ANN@Example.COM"});
}

TEST(ScanLineForAddresses, TabEndsOnlyTheWalkTowardsTheStart)
{
    EXPECT_EQ(scanLine("Name:\tann@example.com"), QStringList{"ann@example.com"});
    EXPECT_EQ(scanLine("ann@example.com\tJohn Smith"), QStringList{});
}

TEST(ScanLineForAddresses, UnderscoreEndsOnlyTheWalkTowardsTheEnd)
{
    EXPECT_EQ(scanLine("ann@example.com_x"), QStringList{"ann@example.com"});
    EXPECT_EQ(scanLine("ann@exa_mple.com"), QStringList{});  // candidate "ann@exa": no dot
    EXPECT_EQ(scanLine("x_ann@example.com"), QStringList{"x_ann@example.com"});
}

TEST(ScanLineForAddresses, StripsOnlyRunsOfThreeOrMoreLeadingUnderscores)
{
    EXPECT_EQ(scanLine("_____ann@example.com_____"), QStringList{"ann@example.com"});
    EXPECT_EQ(scanLine("___ann@example.com"), QStringList{"ann@example.com"});
    // One or two stay; the default exception list then rejects "__".
    EXPECT_EQ(scanLine("_ann@example.com"), QStringList{"_ann@example.com"});
    EXPECT_EQ(scanLine("__ann@example.com"), QStringList{});
    EXPECT_EQ(scanLine("__ann@example.com", QStringList{}), QStringList{"__ann@example.com"});
}

TEST(ScanLineForAddresses, AppliesTheExceptionList)
{
    EXPECT_EQ(scanLine("bob@hotmial.com, ann@example.com"), QStringList{"ann@example.com"});
    EXPECT_EQ(scanLine("bob@hotmial.com", {"HOTMIAL"}), QStringList{"bob@hotmial.com"});
}

TEST(ScanLineForAddresses, DropsCandidatesOfSixtyCharactersOrMore)
{
    const QString domain = "@example.com";  // 12 characters
    const QString fiftyNine = QString(47, 'u') + domain;
    const QString sixty = QString(48, 'u') + domain;
    EXPECT_EQ(scanLine(fiftyNine + " " + sixty), QStringList{fiftyNine});
}

TEST(ScanLineForAddresses, AnAtOpeningTheRestEndsTheLine)
{
    EXPECT_EQ(scanLine("@home: ann@example.com"), QStringList{});
    // After the first address the rest starts with its boundary, so a later '@' is not first.
    EXPECT_EQ(scanLine("ann@example.com,@x bob@example.com"),
              (QStringList{"ann@example.com", "bob@example.com"}));
    EXPECT_EQ(scanLine("no address here"), QStringList{});
}

TEST(extractemailaddresses, ClearsThenScansEveryLine)
{
    QStringList found{"stale@example.com"};
    extractemailaddresses({"first ann@example.com", "", "@bad line bob@example.com", "ann@example.com"},
                          defaultExceptions, found);
    EXPECT_EQ(found, (QStringList{"ann@example.com", "ann@example.com"}));
}

TEST(scanTextForAddresses, MatchesScanningTheLinesOneByOne)
{
    const QStringList lines{"Dear all,", "reply to ann@example.com or (bob@example.org).",
                            "@ignored carl@example.net", "", "tab\tdan@example.co.uk",
                            "end: eve@example.info"};
    QStringList byLine;
    extractemailaddresses(lines, defaultExceptions, byLine);
    ASSERT_EQ(byLine.size(), 4);

    for (const QString& separator : QStringList{"\n", "\r\n", "\r"}) {
        QStringList inText;
        scanTextForAddresses(lines.join(separator), defaultExceptions, inText);
        EXPECT_EQ(inText, byLine) << separator.size();
    }
}

// A stream is scanned in pieces cut anywhere: an address cut in two is found once,
// and a cut never makes or breaks a candidate.
TEST(AddressScanner, FindsTheSameHoweverTheTextIsCut)
{
    const QString text = "To: ____ann@example.com_x, @no bob@example.org\r\n@skipped carl@example.net\n"
                         "tab\tdan@example.co.uk x_eve@example.info\n" + QString(70, u'f') + "@example.com ok@example.com";
    QStringList whole;
    scanTextForAddresses(text, defaultExceptions, whole);
    ASSERT_EQ(whole, (QStringList{"ann@example.com", "bob@example.org", "dan@example.co.uk",
                                  "x_eve@example.info", "ok@example.com"}));
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        for (const qsizetype step : {qsizetype(1), text.size()}) {
            QStringList pieces;
            AddressScanner scanner(defaultExceptions, [&](const QString& a) { pieces.append(a); });
            scanner.feed(QStringView(text).first(cut));
            for (qsizetype at = cut; at < text.size(); at += step)
                scanner.feed(QStringView(text).sliced(at, std::min(step, text.size() - at)));
            scanner.finish();
            EXPECT_EQ(pieces, whole) << cut << " " << step;
        }
    }
}

TEST(addemailaddresses, SplitsAtSemicolonsAndTrims)
{
    QStringList found{"kept@example.com"};
    addemailaddresses(" ann@example.com ; ;Bob <bob@example.org>;", found);
    EXPECT_EQ(found, (QStringList{"kept@example.com", "ann@example.com", "Bob <bob@example.org>"}));

    QStringList single;
    addemailaddresses(" not validated ", single);
    addemailaddresses("", single);
    EXPECT_EQ(single, QStringList{" not validated "});
}
