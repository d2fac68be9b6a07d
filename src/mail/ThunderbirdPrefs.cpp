#include "mail/ThunderbirdPrefs.h"

namespace {

// Walks the text statement by statement; a fault ends the walk with the reason
// and the line it was found on.
class PrefsReader {
public:
    explicit PrefsReader(const QString& text) : text_(text) {}

    bool atEnd()
    {
        skipBlanksAndComments();
        return pos_ >= text_.size();
    }

    // The word, not the start of a longer one.
    bool word(QLatin1String w)
    {
        skipBlanksAndComments();
        if (!QStringView(text_).mid(pos_).startsWith(w))
            return false;
        const qsizetype after = pos_ + w.size();
        if (after < text_.size() && (text_[after].isLetterOrNumber() || text_[after] == '_'))
            return false;
        pos_ = after;
        return true;
    }

    bool expectWord(QLatin1String w) { return word(w) || fail("expected " + QString(w)); }

    bool expect(QChar c)
    {
        skipBlanksAndComments();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return fail(QString("expected \"%1\"").arg(c));
    }

    bool peek(QChar c)
    {
        skipBlanksAndComments();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    bool string(QString& out)
    {
        skipBlanksAndComments();
        if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
            return fail("expected a quoted text");
        const QChar quote = text_[pos_++];
        out.clear();
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_++];
            if (c == quote)
                return true;
            if (c == '\n')
                break;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (!escape(out))
                return false;
        }
        return fail("unterminated text");
    }

    bool value(std::variant<QString, int, bool>& out)
    {
        skipBlanksAndComments();
        if (peek('"') || peek('\'')) {
            QString s;
            if (!string(s))
                return false;
            out = s;
            return true;
        }
        for (const bool b : {true, false}) {
            if (word(b ? QLatin1String("true") : QLatin1String("false"))) {
                out = b;
                return true;
            }
        }
        const qsizetype start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            ++pos_;
        while (pos_ < text_.size() && text_[pos_].isDigit())
            ++pos_;
        bool ok = false;
        const int n = QStringView(text_).mid(start, pos_ - start).toInt(&ok);
        if (!ok) {
            pos_ = start;
            return fail("expected a text, a number, true or false");
        }
        out = n;
        return true;
    }

    QString problem() const { return problem_; }

private:
    bool fail(const QString& what)
    {
        if (problem_.isEmpty()) {
            const qsizetype line = QStringView(text_).left(pos_).count('\n') + 1;
            problem_ = QString("line %1: %2").arg(line).arg(what);
        }
        return false;
    }

    bool hexDigits(int count, char32_t& code)
    {
        if (pos_ + count > text_.size())
            return fail("short escape");
        bool ok = false;
        code = QStringView(text_).mid(pos_, count).toUInt(&ok, 16);
        if (!ok)
            return fail("bad escape");
        pos_ += count;
        return true;
    }

    bool escape(QString& out)
    {
        if (pos_ >= text_.size())
            return fail("unterminated text");
        const QChar c = text_[pos_++];
        char32_t code = 0;
        switch (c.unicode()) {
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'x':
            if (!hexDigits(2, code))
                return false;
            out += QChar(char16_t(code));
            return true;
        case 'u':
            // A character beyond the first plane comes as two escapes, which
            // together give its surrogate pair.
            if (!hexDigits(4, code))
                return false;
            out += QChar(char16_t(code));
            return true;
        default: out += c; return true;  // \\ \" \' and any other character stand for themselves
        }
    }

    void skipBlanksAndComments()
    {
        while (pos_ < text_.size()) {
            const QStringView rest = QStringView(text_).mid(pos_);
            if (text_[pos_].isSpace()) {
                ++pos_;
            } else if (rest.startsWith(u"//") || rest.startsWith(u"#")) {
                const qsizetype end = text_.indexOf('\n', pos_);
                pos_ = end < 0 ? text_.size() : end;
            } else if (rest.startsWith(u"/*")) {
                const qsizetype end = text_.indexOf("*/", pos_ + 2);
                pos_ = end < 0 ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }

    const QString& text_;
    qsizetype pos_ = 0;
    QString problem_;
};

}  // namespace

bool ThunderbirdPrefs::parse(const QString& text, QString* problem)
{
    PrefsReader reader(text);
    while (!reader.atEnd()) {
        QString key;
        Value value;
        if (!(reader.expectWord(QLatin1String("user_pref")) && reader.expect('(') && reader.string(key)
              && reader.expect(',') && reader.value(value) && reader.expect(')') && reader.expect(';'))) {
            if (problem)
                *problem = reader.problem();
            return false;
        }
        values_.insert(key, value);
    }
    return true;
}

std::optional<QString> ThunderbirdPrefs::text(const QString& key) const
{
    const auto it = values_.constFind(key);
    if (it == values_.cend() || !std::holds_alternative<QString>(*it))
        return std::nullopt;
    return std::get<QString>(*it);
}

std::optional<int> ThunderbirdPrefs::integer(const QString& key) const
{
    const auto it = values_.constFind(key);
    if (it == values_.cend() || !std::holds_alternative<int>(*it))
        return std::nullopt;
    return std::get<int>(*it);
}
