#include "sending/RtfWriter.h"
#include "support/TestFiles.h"
#include "util/RtfToHtml.h"

#include <QTemporaryDir>
#include <QRegularExpression>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace {

void fillFormatted(QTextDocument& document)
{
    document.setDefaultFont(QFont("DejaVu Sans", 12));
    QTextCursor cursor(&document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Big news", bold);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.insertText("Read ", italic);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontFamilies({"DejaVu Serif"});
    red.setFontPointSize(18);
    cursor.insertText("this", red);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    cursor.createList(bullets);
    cursor.insertText("first");
    cursor.insertBlock();
    cursor.insertText("second");
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText("C:\\{x} café – 漢");
}

TEST(RtfWriter, WritesTheFormattingInTheWordsTheConverterReads)
{
    QTextDocument document;
    fillFormatted(document);
    const QString rtf = writeRtf(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil DejaVu Sans;}{\\f1\\fnil DejaVu Serif;}}")) << qPrintable(rtf);
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;}")) << qPrintable(rtf);

    const QStringList paragraphs = rtf.split("\\par\r\n");
    ASSERT_EQ(paragraphs.size(), 5) << qPrintable(rtf);
    EXPECT_TRUE(paragraphs[0].endsWith("\\pard\\qc\\plain\\b\\f0\\fs24 Big news")) << qPrintable(paragraphs[0]);
    EXPECT_EQ(paragraphs[1], "\\pard\\plain\\i\\f0\\fs24 Read \\plain\\f1\\fs36\\cf1 this");
    for (int item : {2, 3}) {
        EXPECT_TRUE(paragraphs[item].startsWith("\\pard{\\*\\pn\\pnlvlblt")) << qPrintable(paragraphs[item]);
        EXPECT_FALSE(paragraphs[item].contains("\\qc"));
    }
    EXPECT_TRUE(paragraphs[3].endsWith(" second"));
    EXPECT_EQ(paragraphs[4], "\\pard\\plain\\f0\\fs24 C:\\\\\\{x\\} caf\\'e9 \\'96 \\u28450?\r\n}\r\n");
}

}  // namespace

TEST(RtfWriter, TheConverterTurnsTheWrittenTextIntoTheSameFormatting)
{
    QTextDocument document;
    fillFormatted(document);
    QTemporaryDir dir;
    const QString rtfFile = dir.filePath("~msg1.rtf");
    const QString htmlFile = dir.filePath("~msg1.htm");
    writeTestFile(rtfFile, writeRtf(document).toUtf8());
    ASSERT_EQ(ConvertRtfToHtml(rtfFile, htmlFile, {}, {}, {}, [](const QString&) {}), QString());
    // The converter cuts its lines where it likes; they carry no meaning in HTML.
    const QString html = QString::fromUtf8(readTestFile(htmlFile)).remove('\r').remove('\n');
    for (const char* shape : {"<CENTER><B>(<FONT[^>]*>)*Big news(</FONT>)*</B></CENTER>",
                              "<I>(<FONT[^>]*>)*Read (</FONT>)*</I>",
                              "<FONT COLOR=\"#FF0000\"><FONT FACE=\"DejaVu Serif\"><FONT SIZE=\\+2>this<",
                              "<UL><LI type=disc>(<FONT[^>]*>)*first(</FONT>)*</LI><LI type=disc>"
                              "(<FONT[^>]*>)*second(</FONT>)*</LI></UL>(<FONT[^>]*>)*C:\\\\\\{x\\} café – 漢<"})
        EXPECT_TRUE(QRegularExpression(shape).match(html).hasMatch()) << shape << "\n" << qPrintable(html);
}
