#include "sending/RtfWriter.h"

#include "util/TextFiles.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

namespace {

constexpr int kTwipsPerPixel = 15;    // at 96 dots per inch
constexpr int kBulletHangTwips = 360;  // the bullet hangs this far left of the text

// The bytes 0x80..0x9F of Windows-1252 by the character each stands for.
const QHash<char16_t, uchar>& windows1252High()
{
    static const QHash<char16_t, uchar> table = [] {
        QHash<char16_t, uchar> t;
        for (int b = 0x80; b <= 0x9F; ++b) {
            const char byte = char(b);
            t.insert(decodeWindows1252(QByteArrayView(&byte, 1)).at(0).unicode(), uchar(b));
        }
        return t;
    }();
    return table;
}

QString hexByte(uchar b) { return QStringLiteral("\\'%1").arg(b, 2, 16, QLatin1Char('0')); }

QString escaped(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}')
            out += '\\' + QString(c);
        else if (u == '\t')
            out += QStringLiteral("\\tab ");
        else if (u == QChar::LineSeparator || u == '\n')
            out += QStringLiteral("\\line ");
        else if (u == QChar::Nbsp)
            out += QStringLiteral("\\~");
        else if (u == QChar::ObjectReplacementCharacter || u == '\r')
            continue;
        else if (u < 0x80)
            out += c;
        else if (u >= 0xA0 && u <= 0xFF)
            out += hexByte(uchar(u));
        else if (const auto it = windows1252High().constFind(u); it != windows1252High().cend())
            out += hexByte(*it);
        else  // a reader without Unicode shows the "?"
            out += QStringLiteral("\\u%1?").arg(qint16(u));
    }
    return out;
}

QString fontName(const QString& family)
{
    QString name = family;
    name.remove(';');
    return escaped(name);
}

class RtfBuilder {
public:
    explicit RtfBuilder(const QTextDocument& document) : document_(document) {}

    QString build()
    {
        QString body;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (block != document_.begin())
                body += QStringLiteral("\\par\r\n");
            body += paragraph(block);
        }
        QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl");
        for (qsizetype i = 0; i < fonts_.size(); ++i)
            rtf += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(fontName(fonts_[i]));
        rtf += QStringLiteral("}\r\n{\\colortbl ;");
        for (const QColor& c : colours_)
            rtf += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        rtf += QStringLiteral("}\r\n") + body + QStringLiteral("\r\n}\r\n");
        return rtf;
    }

private:
    int fontNumber(const QString& family)
    {
        qsizetype at = fonts_.indexOf(family);
        if (at < 0) {
            at = fonts_.size();
            fonts_.append(family);
        }
        return int(at);
    }

    int colourNumber(const QColor& colour)
    {
        const QColor rgb = colour.toRgb();
        for (qsizetype i = 0; i < colours_.size(); ++i)
            if (colours_[i].rgb() == rgb.rgb())
                return int(i) + 1;
        colours_.append(rgb);
        return int(colours_.size());
    }

    QString paragraph(const QTextBlock& block)
    {
        QString out = QStringLiteral("\\pard");
        const bool empty = block.length() <= 1;
        // An empty paragraph opens nothing, so it states no alignment to close.
        const Qt::Alignment alignment = block.blockFormat().alignment();
        if (!empty && (alignment & Qt::AlignHCenter))
            out += QStringLiteral("\\qc");
        else if (!empty && (alignment & Qt::AlignRight))
            out += QStringLiteral("\\qr");
        int indent = int(block.blockFormat().indent() * document_.indentWidth() + block.blockFormat().leftMargin())
                     * kTwipsPerPixel;
        if (const QTextList* list = block.textList()) {
            out += listItem(*list, block);
            indent += int(list->format().indent() * document_.indentWidth()) * kTwipsPerPixel;
            out += QStringLiteral("\\fi-%1").arg(kBulletHangTwips);
        }
        if (indent > 0)
            out += QStringLiteral("\\li%1").arg(indent);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextFragment fragment = it.fragment(); fragment.isValid())
                out += run(fragment);
        return out;
    }

    static QString listItem(const QTextList& list, const QTextBlock& block)
    {
        switch (list.format().style()) {
        case QTextListFormat::ListDisc:
        case QTextListFormat::ListCircle:
        case QTextListFormat::ListSquare:
            return QStringLiteral("{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}");
        default:
            return QStringLiteral("{\\*\\pn\\pnlvlbody\\pndec\\pnstart%1\\pnindent0{\\pntxta.}}")
                .arg(list.itemNumber(block) + 1);
        }
    }

    QString run(const QTextFragment& fragment)
    {
        const QTextCharFormat format = fragment.charFormat();
        const QFont font = format.font().resolve(document_.defaultFont());
        QString out = QStringLiteral("\\plain");
        if (font.bold())
            out += QStringLiteral("\\b");
        if (font.italic())
            out += QStringLiteral("\\i");
        if (font.underline())
            out += QStringLiteral("\\ul");
        if (font.strikeOut())
            out += QStringLiteral("\\strike");
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            out += QStringLiteral("\\super");
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            out += QStringLiteral("\\sub");
        out += QStringLiteral("\\f%1\\fs%2").arg(fontNumber(font.family())).arg(halfPoints(font));
        if (format.foreground().style() != Qt::NoBrush)
            out += QStringLiteral("\\cf%1").arg(colourNumber(format.foreground().color()));
        return out + ' ' + escaped(fragment.text());
    }

    static int halfPoints(const QFont& font)
    {
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
        return int(std::lround(points * 2));
    }

    const QTextDocument& document_;
    QStringList fonts_;
    QList<QColor> colours_;
};

}  // namespace

QString writeRtf(const QTextDocument& document) { return RtfBuilder(document).build(); }
