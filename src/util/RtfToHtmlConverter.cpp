#include "util/RtfToHtmlConverter.h"

#include "util/RtfCharacters.h"

#include <QRegularExpression>
#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kMaxGroupDepth = 1000;
constexpr int kMaxErrorsLogged = 100;
// Style words brought in may reach this many times the input read so far.
constexpr qint64 kInsertedPerByte = 8;
constexpr qint64 kInsertedBase = 1024 * 1024;

enum Word {
    Unknown,
    // destinations
    FontTable, ColourTable, StyleSheet, Style, RowDefinition, Picture, Skipped, Numbering,
    // formatting
    Plain, ParagraphDefaults, Hidden, Caps, Bold, Italic, Underline, UnderlineNone, Superscript,
    Subscript, NoSuperSub, Strike, Centred, Right, Font, FontSize, Colour, LeftIndent, FirstIndent,
    Tab, EmSpace, EnSpace, EmDash, EnDash, Quote, DoubleQuote, Bullet, Line, Page, Paragraph, Cell,
    Row, InTable, WidowControl, Unicode, UnicodeSkip,
};

struct WordName {
    std::string_view name;
    Word word;
};

// Sorted by name. "listtext", "headerl/r" and "footerl/r" are skipped like their kin:
// Word writes them beside the older forms.
constexpr WordName kWords[] = {
    {"b", Bold}, {"bkmkend", Skipped}, {"bkmkstart", Skipped}, {"bullet", Bullet},
    {"caps", Caps}, {"cell", Cell}, {"cf", Colour}, {"colortbl", ColourTable}, {"dn", Subscript},
    {"emdash", EmDash}, {"emspace", EmSpace}, {"endash", EnDash}, {"enspace", EnSpace},
    {"f", Font}, {"fi", FirstIndent}, {"filetbl", Skipped}, {"fonttbl", FontTable},
    {"footer", Skipped}, {"footerf", Skipped}, {"footerl", Skipped}, {"footerr", Skipped},
    {"footnote", Skipped}, {"fs", FontSize}, {"header", Skipped}, {"headerf", Skipped},
    {"headerl", Skipped}, {"headerr", Skipped}, {"i", Italic}, {"info", Skipped},
    {"intbl", InTable}, {"ldblquote", DoubleQuote}, {"levelnumbers", Skipped},
    {"leveltext", Skipped}, {"li", LeftIndent}, {"line", Line}, {"list", Skipped},
    {"listlevel", Skipped}, {"listname", Skipped}, {"listoverridetable", Skipped},
    {"listtable", Skipped}, {"listtext", Skipped}, {"lquote", Quote}, {"nosupersub", NoSuperSub},
    {"page", Page}, {"par", Paragraph}, {"pard", ParagraphDefaults}, {"pict", Picture},
    {"plain", Plain}, {"pn", Numbering}, {"pntext", Skipped}, {"qc", Centred}, {"qr", Right},
    {"rdblquote", DoubleQuote}, {"revtbl", Skipped}, {"row", Row}, {"rquote", Quote},
    {"s", Style}, {"sect", Paragraph}, {"sectd", ParagraphDefaults}, {"sp", Skipped},
    {"strike", Strike}, {"strikedl", Strike}, {"stylesheet", StyleSheet}, {"sub", Subscript},
    {"super", Superscript}, {"tab", Tab}, {"template", Skipped}, {"trowd", RowDefinition},
    {"u", Unicode}, {"uc", UnicodeSkip}, {"ul", Underline}, {"uld", Underline},
    {"uldash", Underline}, {"uldashd", Underline}, {"uldashdd", Underline}, {"uldb", Underline},
    {"ulnone", UnderlineNone}, {"ulth", Underline}, {"ulwave", Underline}, {"up", Superscript},
    {"v", Hidden}, {"widctlpar", WidowControl},
};

Word wordOf(std::string_view name)
{
    const auto it = std::lower_bound(std::begin(kWords), std::end(kWords), name,
                                     [](const WordName& w, std::string_view n) { return w.name < n; });
    return it != std::end(kWords) && it->name == name ? it->word : Unknown;
}

bool switchedOn(const RtfToken& token)
{
    return !token.hasParam || token.param != 0;
}

bool isSimpleText(char c)
{
    return c >= 0x20 && c < 0x7F && c != '<' && c != '>' && c != '&';
}

std::string bodyColour(const QString& colour)
{
    static const QRegularExpression rgb(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return rgb.match(colour).hasMatch() ? colour.toUpper().toStdString() : std::string("#FFFFFF");
}

std::string htmlText(const QString& text)
{
    std::string html;
    for (const char32_t c : text.toUcs4())
        appendHtmlCharacter(c, false, html);
    return html;
}

}  // namespace

RtfToHtmlConverter::RtfToHtmlConverter(QIODevice& in, QIODevice& out, DebugLine debugLine)
    : in_(in), html_(out), table_(html_), debugLine_(std::move(debugLine))
{
    format_.reset(RtfFormat::Scope::All);
}

QString RtfToHtmlConverter::convert(const QString& backgroundColour, const QString& title)
{
    writeHead(backgroundColour, title);
    debug("DEBUG: [rtf2html] ReadLn");
    debug("DEBUG: [rtf2html] ProcessGroup");
    process();
    debug("DEBUG: [rtf2html] ProcessGroup Done");
    finish();
    if (!in_.errorString().isEmpty())
        return in_.errorString();
    return html_.errorString();
}

void RtfToHtmlConverter::writeHead(const QString& backgroundColour, const QString& title)
{
    html_.writeLine("<HTML>");
    if (!title.isEmpty()) {
        html_.writeLine("<HEAD>");
        html_.writeLine("<TITLE>" + htmlText(title) + "</TITLE>");
        html_.writeLine("</HEAD>");
    }
    html_.writeLine("<BODY TEXT=\"#000000\" BGCOLOR=\"" + bodyColour(backgroundColour) +
                    "\" LINK=\"#3333FF\" VLINK=\"#999999\" ALINK=\"#FF0000\">");
}

void RtfToHtmlConverter::finish()
{
    debug("DEBUG: [rtf2html] Finally");
    if (linkOpen_)
        put("</A>");
    linkOpen_ = false;
    closeTags();
    if (format_.right)
        put("</DIV>");
    if (format_.centred)
        put("</CENTER>");
    table_.finish();
    debug("DEBUG: [rtf2html] Close Lists");
    closeLists();
    debug("DEBUG: [rtf2html] Flush OutFile");
    html_.writeLine("</BODY>");
    html_.writeLine("</HTML>");
    html_.flush();
}

void RtfToHtmlConverter::debug(const char* line)
{
    if (debugLine_)
        debugLine_(QString::fromLatin1(line));
}

// A damaged file could hold millions of faults; the debug log keeps the first ones.
void RtfToHtmlConverter::conversionError(const char* prefix, const QString& text)
{
    if (debugLine_ && errorsLogged_++ < kMaxErrorsLogged)
        debugLine_(QString::fromLatin1(prefix) + text);
}

void RtfToHtmlConverter::process()
{
    while (!stopped_ && !html_.failed()) {
        const RtfToken token = in_.next();
        if (widctlparPending_) {
            widctlparPending_ = false;
            if (token.kind != RtfToken::Word || token.name != "intbl")
                table_.paragraphReset();
        }
        if (token.kind != RtfToken::Text && token.kind != RtfToken::Hex)
            skipping_ = 0;
        switch (token.kind) {
        case RtfToken::End:
            return;
        case RtfToken::Open:
            openGroup();
            break;
        case RtfToken::Close:
            stopped_ = !closeGroup();
            break;
        case RtfToken::Text:
            text(token.text);
            break;
        case RtfToken::Hex:
            hex(token);
            break;
        case RtfToken::Symbol:
            symbol(token);
            break;
        case RtfToken::Word:
            word(token);
            break;
        }
    }
}

// Groups nested deeper than any document needs are skipped whole.
void RtfToHtmlConverter::openGroup()
{
    if (groups_.size() >= kMaxGroupDepth)
        in_.skipGroup();
    else
        groups_.push_back({format_, unicodeSkip_});
}

// False at the closing brace of the outermost level: the document ends there.
bool RtfToHtmlConverter::closeGroup()
{
    if (groups_.empty())
        return false;
    const Group group = groups_.back();
    groups_.pop_back();
    unicodeSkip_ = group.unicodeSkip;
    if (!(format_ == group.format)) {
        closeTags();
        format_ = group.format;
    }
    return true;
}

// A destination read to its closing brace ends its group.
void RtfToHtmlConverter::endDestination()
{
    if (!closeGroup())
        stopped_ = true;
}

void RtfToHtmlConverter::symbol(const RtfToken& token)
{
    switch (token.symbol) {
    case '\\':
    case '{':
    case '}':
        character(char32_t(token.symbol));
        break;
    case '~':
        entity("&nbsp;");
        break;
    case '_':
        entity("-");
        break;
    case '*':
        optionalDestination();
        break;
    case '\n':
        paragraphEnd();
        break;
    default:
        break;
    }
}

void RtfToHtmlConverter::optionalDestination()
{
    const RtfToken token = in_.next();
    if (token.kind == RtfToken::Close) {
        endDestination();
        return;
    }
    if (token.kind == RtfToken::Word && token.name == "pn") {
        readNumbering();
        return;
    }
    if (token.kind == RtfToken::Word && token.name.starts_with("bkmk") && !bookmarkWritten_) {
        put("<P>");
        bookmarkWritten_ = true;
    }
    if (token.kind == RtfToken::Open)
        in_.skipGroup();
    if (token.kind != RtfToken::End)
        in_.skipGroup();
    endDestination();
}

void RtfToHtmlConverter::word(const RtfToken& token)
{
    const int word = wordOf(token.name);
    if (destinationWord(word, token))
        return;
    if (linkOpen_) {
        put("</A>");
        linkOpen_ = false;
    }
    formattingWord(word, token);
}

bool RtfToHtmlConverter::destinationWord(int word, const RtfToken& token)
{
    switch (word) {
    case FontTable:
        tables_.readFonts(in_);
        break;
    case ColourTable:
        tables_.readColours(in_);
        break;
    case StyleSheet:
        tables_.readStyles(in_);
        break;
    case Style:
        styleReference(token);
        return true;
    case RowDefinition:
        if (!table_.active()) {
            closeTags();
            closeLists();
        }
        table_.rowDefinition();
        return true;
    case Picture:
        put("<P>[*** picture ***]<P>");
        in_.skipGroup();
        break;
    case Skipped:
        in_.skipGroup();
        break;
    case Numbering:
        readNumbering();
        return true;
    default:
        return false;
    }
    endDestination();
    return true;
}

void RtfToHtmlConverter::formattingWord(int word, const RtfToken& token)
{
    switch (word) {
    case Plain:
        format_.reset(RtfFormat::Scope::Text);
        closeTags();
        break;
    case ParagraphDefaults:
        if (table_.rowEnded())
            table_.paragraphReset();
        paragraphReset();
        break;
    case Hidden: setFlag(format_.hidden, switchedOn(token)); break;
    case Caps: setFlag(format_.caps, switchedOn(token)); break;
    case Bold: setFlag(format_.bold, switchedOn(token)); break;
    case Italic: setFlag(format_.italic, switchedOn(token)); break;
    case Underline: setFlag(format_.underline, token.name != "ul" || switchedOn(token)); break;
    case UnderlineNone: setFlag(format_.underline, false); break;
    case Superscript: setFlag(format_.superscript, true); break;
    case Subscript: setFlag(format_.subscript, true); break;
    case NoSuperSub:
        setFlag(format_.superscript, false);
        setFlag(format_.subscript, false);
        break;
    case Strike: setFlag(format_.strike, switchedOn(token)); break;
    case Centred: format_.centred = true; break;
    case Right: format_.right = true; break;
    case Font: setValue(format_.font, number(token, "DEBUG: [Html] Error: ")); break;
    case FontSize: setValue(format_.size, number(token, "DEBUG: [Html] Error: ") / 2); break;
    case Colour: {
        const int colour = tables_.colour(number(token, "DEBUG: [Html] cf convert Error: "));
        if (colour >= 0)
            setValue(format_.colour, colour);
        break;
    }
    case LeftIndent:
    case FirstIndent: {
        const int twips = number(token, "DEBUG: [Html] Error: ");
        if (paragraphStart_ && !format_.inTable) {
            scratch_.clear();
            lists_.indent(twips, scratch_);
            put(scratch_);
        }
        break;
    }
    case Tab: entity("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"); break;
    case EmSpace: entity("&nbsp;&nbsp;"); break;
    case EnSpace: entity("&nbsp;"); break;
    case EmDash: entity("--"); break;
    case EnDash: entity("-"); break;
    case Quote: entity("'"); break;
    case DoubleQuote: entity("\""); break;
    case Bullet: character(0x2022); break;
    case Line: put("<BR>"); break;
    case Page: put("<BR><HR><BR>"); break;
    case Paragraph: paragraphEnd(); break;
    case Unicode: unicode(token.param); break;
    case UnicodeSkip: unicodeSkip_ = std::clamp(token.param, 0, 16); break;
    default: tableWord(word); break;
    }
}

void RtfToHtmlConverter::tableWord(int word)
{
    if (word == InTable) {
        format_.inTable = true;
        table_.inTable();
    } else if (word == WidowControl) {
        widctlparPending_ = table_.rowEnded();
    } else if ((word == Cell || word == Row) && table_.active()) {
        std::string closed;
        tags_.close(closed);
        if (word == Cell)
            table_.cell(closed);
        else
            table_.row(closed);
        format_.reset(RtfFormat::Scope::All);
        changed_ = true;
    }
}

int RtfToHtmlConverter::number(const RtfToken& token, const char* prefix)
{
    if (!token.hasParam)
        conversionError(prefix, "'\\" + QString::fromLatin1(token.name.data(), qsizetype(token.name.size())) +
                                    "' has no number");
    return token.param;
}

void RtfToHtmlConverter::setFlag(bool& flag, bool on)
{
    if (flag != on) {
        flag = on;
        changed_ = true;
    }
}

void RtfToHtmlConverter::setValue(int& value, int to)
{
    if (value != to) {
        value = to;
        changed_ = true;
    }
}

void RtfToHtmlConverter::text(QByteArrayView run)
{
    qsizetype i = std::min<qsizetype>(skipping_, run.size());
    skipping_ -= int(i);
    while (i < run.size()) {
        qsizetype end = i;
        while (end < run.size() && isSimpleText(run[end]))
            ++end;
        if (end == i) {
            character(windows1252Character(uchar(run[i++])));
            continue;
        }
        const QByteArrayView simple = run.sliced(i, end - i);
        i = end;
        beforeText();
        if (format_.hidden)
            continue;
        if (anchorLevel_ || format_.caps) {
            for (const char c : simple)
                character(char32_t(uchar(c)));
            continue;
        }
        put(std::string_view(simple.data(), size_t(simple.size())));
    }
}

void RtfToHtmlConverter::hex(const RtfToken& token)
{
    if (skipping_ > 0) {
        --skipping_;
        return;
    }
    if (token.hex < 0)
        conversionError("DEBUG: [htmlchar] Error: ", QStringLiteral("\\' is not followed by two hex digits"));
    else
        character(windows1252Character(uchar(token.hex)));
}

// A \u character is followed by its stand-ins for older readers, which are skipped.
void RtfToHtmlConverter::unicode(int code)
{
    skipping_ = unicodeSkip_;
    const char32_t c = char32_t(code < 0 ? code + 65536 : code) & 0xFFFF;
    if (c >= 0xD800 && c < 0xDC00) {
        highSurrogate_ = c;
        return;
    }
    if (c >= 0xDC00 && c < 0xE000) {
        if (highSurrogate_)
            character(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00));
        highSurrogate_ = 0;
        return;
    }
    highSurrogate_ = 0;
    character(c);
}

void RtfToHtmlConverter::character(char32_t c)
{
    beforeText();
    if (format_.hidden)
        return;
    scratch_.clear();
    appendHtmlCharacter(c, format_.caps, scratch_);
    if (!scratch_.empty())
        putVisible(scratch_);
}

void RtfToHtmlConverter::entity(std::string_view html)
{
    beforeText();
    if (!format_.hidden)
        putVisible(html);
}

// What a paragraph's first character brings: the list item, the number, the
// alignment and the format's tags, a pending table-of-contents link.
void RtfToHtmlConverter::beforeText()
{
    std::string& html = scratch_;
    html.clear();
    lists_.beforeText(paragraphStart_, html);
    if (changed_ || paragraphStart_) {
        tags_.close(html);
        if (paragraphStart_ && format_.centred)
            html += "<CENTER>";
        else if (paragraphStart_ && format_.right)
            html += "<DIV ALIGN=right>";
        tags_.open(format_, format_.font >= 0 ? tables_.fontName(format_.font) : nullptr, html);
        changed_ = paragraphStart_ = false;
    }
    put(html);
    if (linkLevel_) {
        if (linkOpen_)
            put("</A>");
        const size_t level = size_t(linkLevel_);
        put("<A HREF=\"#" + std::to_string(level) + '-' + std::to_string(++linkCount_[level]) + "\">");
        linkOpen_ = true;
        linkLevel_ = 0;
    }
}

void RtfToHtmlConverter::putVisible(std::string_view html)
{
    if (!anchorLevel_) {
        put(html);
        return;
    }
    const size_t level = size_t(anchorLevel_);
    put("<A NAME=\"" + std::to_string(level) + '-' + std::to_string(++anchorCount_[level]) + "\">");
    put(html);
    put("</A>");
    anchorLevel_ = 0;
}

void RtfToHtmlConverter::put(std::string_view html)
{
    if (!html.empty())
        table_.append(QByteArrayView(html.data(), qsizetype(html.size())));
}

void RtfToHtmlConverter::closeTags()
{
    scratch_.clear();
    tags_.close(scratch_);
    put(scratch_);
    changed_ = true;
}

void RtfToHtmlConverter::styleReference(const RtfToken& token)
{
    if (const int level = tables_.tocLevel(token.param))
        linkLevel_ = level;
    else if (const int level = tables_.headingLevel(token.param))
        anchorLevel_ = level;
    const QByteArray words = tables_.styleWords(token.param);
    if (words.isEmpty() || inserted_ + words.size() > kInsertedBase + kInsertedPerByte * in_.consumed())
        return;
    inserted_ += words.size();
    in_.insert(words);
}

void RtfToHtmlConverter::paragraphEnd()
{
    closeTags();
    if (format_.right)
        put("</DIV>");
    if (format_.centred)
        put("</CENTER>");
    changed_ = paragraphStart_ = true;
    scratch_.clear();
    if (table_.active()) {
        scratch_ += "<BR>";
    } else if (lists_.paragraphEnd(scratch_)) {
        scratch_ += "<BR>";
        bookmarkWritten_ = false;
    }
    put(scratch_);
}

void RtfToHtmlConverter::paragraphReset()
{
    format_.reset(RtfFormat::Scope::Par);
    scratch_.clear();
    lists_.reset(scratch_);
    put(scratch_);
}

void RtfToHtmlConverter::closeLists()
{
    scratch_.clear();
    lists_.close(scratch_);
    put(scratch_);
}

void RtfToHtmlConverter::readNumbering()
{
    scratch_.clear();
    const bool closed = lists_.readNumbering(in_, scratch_);
    put(scratch_);
    if (closed)
        endDestination();
}
