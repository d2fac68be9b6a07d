#include "util/RtfDocumentTables.h"

#include "util/RtfCharacters.h"
#include "util/RtfTokenizer.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kMaxName = 256;
constexpr qsizetype kMaxStyleWords = 200;
constexpr size_t kMaxColours = 65536;

// Style words that have nothing to do in HTML, dropped with their numbers.
constexpr std::string_view kIdleStyleWords[] = {
    "widctlpar", "adjustright", "nowidctlpar", "keepn", "cgrid", "widctl", "sbasedon", "snext", "sa",
    "sb", "lang", "slmult", "sl", "outlinelevel", "kerning", "expndtw", "expnd", "tx", "s"};

bool isIdleStyleWord(std::string_view name)
{
    return std::find(std::begin(kIdleStyleWords), std::end(kIdleStyleWords), name) !=
           std::end(kIdleStyleWords);
}

// Collects an entry's name from text and hex tokens; a ";" ends the entry.
class EntryName {
public:
    // True when the token held the entry's ";" (the rest of the token is dropped).
    bool take(const RtfToken& token)
    {
        if (token.kind == RtfToken::Hex) {
            add(token.hex >= 0 ? windows1252Character(uchar(token.hex)) : 0);
            return false;
        }
        for (const char c : token.text) {
            if (c == ';')
                return true;
            add(windows1252Character(uchar(c)));
        }
        return false;
    }
    QByteArray finish()
    {
        const QByteArray name = QByteArray(text_.data(), qsizetype(text_.size())).trimmed();
        text_.clear();
        return name;
    }

private:
    void add(char32_t c)
    {
        if (c != 0 && text_.size() < kMaxName)
            appendHtmlCharacter(c, false, text_);
    }
    std::string text_;
};

bool isTextual(const RtfToken& token)
{
    return token.kind == RtfToken::Text || token.kind == RtfToken::Hex;
}

bool isOptionalDestination(const RtfToken& token)
{
    return token.kind == RtfToken::Symbol && token.symbol == '*';
}

QByteArray wordText(const RtfToken& token)
{
    QByteArray word = '\\' + QByteArray(token.name.data(), qsizetype(token.name.size()));
    if (token.hasParam)
        word += QByteArray::number(token.param);
    return word;
}

std::string_view wordName(const QByteArray& word)
{
    qsizetype end = 1;
    while (end < word.size() && !(word[end] == '-' || (word[end] >= '0' && word[end] <= '9')))
        ++end;
    return std::string_view(word.constData() + 1, size_t(end - 1));
}

// The level number after the label in the style's name ("heading 2"), 0 when none.
int levelAfter(const QByteArray& lowerName, const char* label)
{
    const qsizetype at = lowerName.indexOf(label);
    if (at < 0)
        return 0;
    qsizetype i = at + qsizetype(qstrlen(label));
    while (i < lowerName.size() && lowerName[i] == ' ')
        ++i;
    return i < lowerName.size() && lowerName[i] >= '1' && lowerName[i] <= '9' ? lowerName[i] - '0' : 0;
}

}  // namespace

void RtfDocumentTables::readFonts(RtfTokenizer& in)
{
    int depth = 1;
    int number = -1;
    EntryName name;
    const auto commit = [&] {
        const QByteArray text = name.finish().replace('"', "&quot;");
        if (number >= 0 && fonts_.size() < size_t(kMaxFonts))
            fonts_.emplace_back(number, text);
        number = -1;
    };
    for (RtfToken token = in.next(); token.kind != RtfToken::End; token = in.next()) {
        if (token.kind == RtfToken::Open) {
            ++depth;
        } else if (token.kind == RtfToken::Close) {
            if (number >= 0)
                commit();
            if (--depth == 0)
                return;
        } else if (token.kind == RtfToken::Word && token.name == "f") {
            number = token.param;
        } else if (isOptionalDestination(token) || (token.kind == RtfToken::Word && token.name == "falt")) {
            in.skipGroup();
            if (--depth == 0)
                return;
        } else if (isTextual(token) && name.take(token)) {
            commit();
        }
    }
}

void RtfDocumentTables::readColours(RtfTokenizer& in)
{
    int depth = 1;
    int red = 0, green = 0, blue = 0;
    for (RtfToken token = in.next(); token.kind != RtfToken::End; token = in.next()) {
        if (token.kind == RtfToken::Open) {
            ++depth;
        } else if (token.kind == RtfToken::Close) {
            if (--depth == 0)
                return;
        } else if (token.kind == RtfToken::Word) {
            const int value = std::clamp(token.param, 0, 255);
            if (token.name == "red")
                red = value;
            else if (token.name == "green")
                green = value;
            else if (token.name == "blue")
                blue = value;
        } else if (token.kind == RtfToken::Text) {
            for (const char c : token.text) {
                if (c != ';')
                    continue;
                if (colours_.size() < kMaxColours)
                    colours_.push_back(red << 16 | green << 8 | blue);
                red = green = blue = 0;
            }
        }
    }
}

void RtfDocumentTables::readStyles(RtfTokenizer& in)
{
    int depth = 1;
    int number = 0;
    int basedOn = -1;
    QList<QByteArray> words;
    EntryName name;
    QByteArray entryName;
    for (RtfToken token = in.next(); token.kind != RtfToken::End; token = in.next()) {
        if (token.kind == RtfToken::Open) {
            if (++depth == 2) {
                number = 0;
                basedOn = -1;
                words.clear();
                entryName.clear();
                name.finish();
            }
        } else if (isOptionalDestination(token)) {
            in.skipGroup();
            if (--depth == 0)
                return;
        } else if (token.kind == RtfToken::Close) {
            if (depth == 2) {
                if (entryName.isEmpty())
                    entryName = name.finish();
                addStyle(number, basedOn, words, entryName);
            }
            if (--depth == 0)
                return;
        } else if (token.kind == RtfToken::Word) {
            if (token.name == "s")
                number = token.hasParam ? token.param : kMaxStyle;
            else if (token.name == "sbasedon")
                basedOn = token.param;
            else if (!isIdleStyleWord(token.name) && !token.name.empty() && words.size() < kMaxStyleWords)
                words.append(wordText(token));
        } else if (isTextual(token) && name.take(token)) {
            entryName = name.finish();
        }
    }
}

void RtfDocumentTables::addStyle(int number, int basedOn, QList<QByteArray> words, const QByteArray& name)
{
    if (number < 0 || number > kMaxStyle)
        return;
    if (basedOn >= 0 && basedOn <= kMaxStyle && basedOn != number && styles_[size_t(basedOn)].defined) {
        const auto sets = [&](std::string_view word) {
            return std::any_of(words.cbegin(), words.cend(),
                               [&](const QByteArray& w) { return wordName(w) == word; });
        };
        const bool ownFirst = sets("fi"), ownLeft = sets("li");
        QList<QByteArray> merged;
        for (const QByteArray& word : styles_[size_t(basedOn)].words) {
            const std::string_view n = wordName(word);
            if (!(ownFirst && n == "fi") && !(ownLeft && n == "li"))
                merged.append(word);
        }
        merged.append(words);
        words = merged.mid(0, kMaxStyleWords);
    }
    Style& style = styles_[size_t(number)];
    style.defined = true;
    style.inserted = words.isEmpty() ? QByteArray() : words.join() + ' ';
    style.words = std::move(words);
    const QByteArray lower = name.toLower();
    if (const int level = levelAfter(lower, "toc"))
        tocStyle_[size_t(level)] = number;
    if (const int level = levelAfter(lower, "heading"))
        headingStyle_[size_t(level)] = number;
}

const QByteArray* RtfDocumentTables::fontName(int number) const
{
    if (fonts_.empty())
        return nullptr;
    for (const auto& [n, name] : fonts_)
        if (n == number)
            return &name;
    return &fonts_.back().second;
}

int RtfDocumentTables::colour(int index) const
{
    if (colours_.empty())
        return -1;
    return colours_[std::min(size_t(std::max(index, 0)), colours_.size() - 1)];
}

QByteArray RtfDocumentTables::styleWords(int style) const
{
    return style >= 0 && style <= kMaxStyle ? styles_[size_t(style)].inserted : QByteArray();
}

int RtfDocumentTables::tocLevel(int style) const
{
    for (int level = 1; level <= 9; ++level)
        if (tocStyle_[size_t(level)] == style && headingStyle_[size_t(level)] >= 0)
            return level;
    return 0;
}

int RtfDocumentTables::headingLevel(int style) const
{
    for (int level = 1; level <= 9; ++level)
        if (headingStyle_[size_t(level)] == style)
            return level;
    return 0;
}
