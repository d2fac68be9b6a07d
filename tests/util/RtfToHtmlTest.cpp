#include "support/TestFiles.h"
#include "util/RtfToHtml.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const std::string kBody =
    "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#3333FF\" VLINK=\"#999999\" ALINK=\"#FF0000\">\n";

struct Converted {
    std::string html;  // the whole file (UTF-8)
    std::string body;  // the lines between the BODY tags, line breaks dropped
    QString error;
    QStringList debug;
};

Converted convertFile(const QString& rtfPath, const QString& title = {})
{
    QTemporaryDir dir;
    const QString htmlPath = dir.filePath("out.html");
    Converted result;
    result.error = ConvertRtfToHtml(rtfPath, htmlPath, {}, {}, title,
                                    [&](const QString& line) { result.debug.append(line); });
    result.html = readTestFile(htmlPath).toStdString();
    const size_t start = result.html.find(kBody);
    const size_t end = result.html.rfind("</BODY>");
    if (start != std::string::npos && end != std::string::npos && end > start)
        result.body = result.html.substr(start + kBody.size(), end - start - kBody.size());
    std::erase(result.body, '\n');
    return result;
}

Converted convert(const QByteArray& rtf)
{
    QTemporaryDir dir;
    const QString rtfPath = dir.filePath("in.rtf");
    writeTestFile(rtfPath, rtf);
    return convertFile(rtfPath);
}

bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(RtfToHtml, APlainWordGivesTheFrameWithTheWordAndNoTags)
{
    const Converted c = convert("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\nHello}");
    EXPECT_EQ(c.error, "");
    EXPECT_EQ(c.html, "<HTML>\n" + kBody + "Hello\n</BODY>\n</HTML>\n");
    EXPECT_EQ(c.debug, (QStringList{"DEBUG: [rtf2html] Commence", "DEBUG: [rtf2html] initialize variables",
                                    "DEBUG: [rtf2html] Load file", "DEBUG: [rtf2html] ReadLn",
                                    "DEBUG: [rtf2html] ProcessGroup", "DEBUG: [rtf2html] ProcessGroup Done",
                                    "DEBUG: [rtf2html] Finally", "DEBUG: [rtf2html] Close Lists",
                                    "DEBUG: [rtf2html] Flush OutFile", "DEBUG: [rtf2html] Close inFiles",
                                    "DEBUG: [rtf2html] Close outFiles", "DEBUG: [rtf2html] Done closing",
                                    "DEBUG: [rtf2html] End"}));
}

TEST(RtfToHtml, BoldInAGroupEndsWithTheGroupAndSizesMapToFontSizes)
{
    EXPECT_EQ(convert("{\\rtf1 a {\\b bold} c\\par}").body, "a <B>bold</B> c<BR>");
    EXPECT_EQ(convert("{\\rtf1 {\\fs24 twelve}{\\fs17 eight}}").body,
              "<FONT SIZE=+0>twelve</FONT><FONT SIZE=-2>eight</FONT>");
}

TEST(RtfToHtml, SpecialCharactersBecomeEntitiesAndWebAddressesLinks)
{
    const Converted c = convert("{\\rtf1 a<b>&c see http://example.com/x, then\\par "
                                "caf\\'e9 \\'e4\\'df \\u8364?5 {\\caps gr\\'fc\\'dfe}}");
    EXPECT_EQ(c.body, "a&lt;b&gt;&amp;c see <A HREF=\"http://example.com/x\">http://example.com/x</A>, then<BR>"
                      "caf\u00e9 &auml;&szlig; \u20ac5 GR&Uuml;&szlig;E");
}

TEST(RtfToHtml, ParagraphsKeepTheirAlignmentAndHiddenTextStaysHidden)
{
    const Converted c = convert("{\\rtf1\\pard\\qc {\\*\\bkmkstart a}{\\*\\bkmkend a}Title\\par\\pard\\qr "
                                "{\\v secret}{\\caps shout}\\par\\pard{\\pict\\pngblip 89504e47}end}");
    EXPECT_EQ(c.body, "<P><CENTER>Title</CENTER><BR><DIV ALIGN=right>SHOUT</DIV><BR><P>[*** picture ***]<P>end");
}

TEST(RtfToHtml, TextCannotBreakOutOfTheAttributesItIsPutIn)
{
    const Converted c = convert("{\\rtf1{\\fonttbl{\\f0 Evil\" onload=\"x;}}\\f0 see http://a.test/\"onclick=\"x}");
    EXPECT_EQ(c.body, "<FONT FACE=\"Evil&quot; onload=&quot;x\">see <A HREF=\"http://a.test/\">http://a.test/</A>"
                      "\"onclick=\"x</FONT>");
}

TEST(RtfToHtml, BadNumbersCountAsZeroAndAreLogged)
{
    const Converted c = convert("{\\rtf1{\\colortbl;\\red255;}\\cf\\fs big\\'z}");
    EXPECT_EQ(c.body, "<FONT COLOR=\"#000000\"><FONT SIZE=-2>big</FONT></FONT>");
    EXPECT_TRUE(c.debug.contains("DEBUG: [Html] cf convert Error: '\\cf' has no number"));
    EXPECT_TRUE(c.debug.contains("DEBUG: [Html] Error: '\\fs' has no number"));
    EXPECT_TRUE(c.debug.contains("DEBUG: [htmlchar] Error: \\' is not followed by two hex digits"));
}

TEST(RtfToHtml, ColourReferencesPickTheirPositionInTheColourTable)
{
    const Converted c = convert("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue160;}"
                                "\\cf1 red \\cf0 auto \\cf9 last}");
    EXPECT_EQ(c.body, "<FONT COLOR=\"#FF0000\">red </FONT><FONT COLOR=\"#000000\">auto </FONT>"
                      "<FONT COLOR=\"#0000A0\">last</FONT>");
}

TEST(RtfToHtml, ATwoCellRowIsOneBorderedTableClosedByTwoParagraphResets)
{
    const Converted c = convert("{\\rtf1 before\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell "
                                "{\\b B}\\cell\\row\\pard\\widctlpar after\\par}");
    EXPECT_EQ(c.body, "before<BR><BR><TABLE BORDER=2><TR><TD>A</TD><TD><B>B</B></TD></TR></TABLE><BR>after<BR>");
    // Text read while it was not yet known whether the table went on follows it.
    EXPECT_EQ(convert("{\\rtf1\\trowd\\pard\\intbl A\\cell\\row\\pard next\\par\\pard}").body,
              "<BR><TABLE BORDER=2><TR><TD>A</TD></TR></TABLE><BR>next<BR>");
}

TEST(RtfToHtml, BulletedParagraphsAreOneListAndNumberedOnesCountOn)
{
    // Rich-edit style: one numbering group, then paragraphs.
    const QByteArray bullet = "{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}";
    EXPECT_EQ(convert("{\\rtf1 " + bullet + "one\\par two\\par\\pard after\\par}").body,
              "<UL><LI type=disc>one</LI><LI type=disc>two</LI></UL>after<BR>");
    // Word style: each paragraph starts afresh and brings its own group; the list goes on.
    EXPECT_EQ(convert("{\\rtf1\\pard " + bullet + "one\\par\\pard " + bullet + "two\\par}").body,
              "<UL><LI type=disc>one</LI><LI type=disc>two</LI></UL>");
    // A numbered list counts on from its start, its texts around the number.
    EXPECT_EQ(convert("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}one\\par two\\par\\pard three}").body,
              "3.one<BR>4.two<BR>three");
}

TEST(RtfToHtml, TableOfContentsEntriesLinkToTheirHeadings)
{
    const Converted c = convert(
        "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\b\\sbasedon0 heading 1;}{\\s2\\i\\sbasedon0 toc 1;}}"
        "\\pard\\s2 Intro\\tab 1\\par\\pard\\plain\\s1 Intro\\par}");
    EXPECT_EQ(c.body, "<I><A HREF=\"#1-1\">Intro</A>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;1</I><BR>"
                      "<B><A NAME=\"1-1\">I</A>ntro</B><BR>");
}

TEST(RtfToHtml, HostileInputFinishesWithAClosedDocument)
{
    // Deep nesting, a style that brings itself in, a huge binary count, and an end mid-group.
    QByteArray rtf = "{\\rtf1{\\stylesheet{\\s1\\b\\sbasedon1\\fs40\\li300 loop;}}{\\i x";
    rtf += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
    for (int i = 0; i < 100000; ++i)
        rtf += "\\s1";
    rtf += " y\\bin999999999 tail";
    const Converted c = convert(rtf);
    EXPECT_EQ(c.error, "");
    EXPECT_TRUE(c.html.starts_with("<HTML>\n")) << c.html;
    EXPECT_TRUE(c.html.ends_with("</FONT></I></B>\n</BODY>\n</HTML>\n")) << c.html;
    EXPECT_EQ(c.body, "<I>x</I><B><I><FONT SIZE=+2>y</FONT></I></B>");
}

TEST(RtfToHtml, AFileThatCannotBeReadOrWrittenSaysWhyAndStillFinishes)
{
    QTemporaryDir dir;
    const Converted missing = convertFile(dir.filePath("missing.rtf"), QString::fromUtf8("Zo\u00eb & Co"));
    EXPECT_TRUE(missing.error.startsWith(dir.filePath("missing.rtf") + ": ")) << missing.error.toStdString();
    EXPECT_EQ(missing.html, std::string("<HTML>\n<HEAD>\n<TITLE>Zo\u00eb &amp; Co</TITLE>\n</HEAD>\n") + kBody +
                                "</BODY>\n</HTML>\n");

    const QString rtf = dir.filePath("in.rtf");
    writeTestFile(rtf, "{\\rtf1 some text}");
    const QString error = ConvertRtfToHtml(rtf, "/dev/full", {}, {}, {}, {});
    EXPECT_TRUE(error.startsWith("/dev/full: ")) << error.toStdString();
}

TEST(RtfToHtml, ADocumentWrittenByPandocReadsAsItsReaderSawIt)
{
    const Converted c = convertFile(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/rtf/newsletter-pandoc.rtf"));
    ASSERT_EQ(c.error, "");
    EXPECT_TRUE(contains(c.body, "<FONT FACE=\"Helvetica\"><FONT SIZE=+2>Spring newsletter")) << c.body;
    EXPECT_TRUE(contains(c.body, "this is </FONT><B><FONT FACE=\"Helvetica\">important</FONT></B>"));
    EXPECT_TRUE(contains(c.body, "moves to </FONT><I><FONT FACE=\"Helvetica\">Friday</FONT></I>"));
    EXPECT_TRUE(contains(c.body, "\u2022&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Bring a friend"));
    EXPECT_TRUE(contains(c.body, "Caf\u00e9 &amp; cake at 5 &lt; 6"));
    EXPECT_TRUE(contains(c.body, "<U><FONT FACE=\"Helvetica\"><A HREF=\"http://example.org/news\">"
                                 "http://example.org/news</A></FONT></U><FONT FACE=\"Helvetica\">, or reply."));
}
