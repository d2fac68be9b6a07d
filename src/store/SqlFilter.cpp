#include "store/SqlFilter.h"

#include "store/SqliteConnection.h"

#include <QDateTime>
#include <QList>

namespace {

enum class Kind { Open, Close, Word, Operator, Text, Number, End };

struct Token {
    Kind kind;
    QString text;
    int position;
};

[[noreturn]] void fail(const QString& expression, const QString& why)
{
    throw FilterError(QStringLiteral("Cannot use the filter \"%1\": %2").arg(expression, why).toStdString());
}

QList<Token> tokenize(const QString& e)
{
    QList<Token> tokens;
    int i = 0;
    while (i < e.size()) {
        const QChar c = e.at(i);
        const int start = i;
        if (c.isSpace()) {
            ++i;
        } else if (c == '(' || c == ')') {
            tokens.append({c == '(' ? Kind::Open : Kind::Close, QString(c), i++});
        } else if (c == '\'') {
            // A quote inside the text is written twice.
            QString text;
            ++i;
            for (;;) {
                if (i >= e.size())
                    fail(e, QStringLiteral("the text starting at position %1 has no closing quote").arg(start + 1));
                if (e.at(i) == '\'') {
                    if (i + 1 < e.size() && e.at(i + 1) == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += e.at(i++);
            }
            tokens.append({Kind::Text, text, start});
        } else if (c.isDigit() || (c == '-' && i + 1 < e.size() && e.at(i + 1).isDigit())) {
            ++i;
            while (i < e.size() && e.at(i).isDigit())
                ++i;
            tokens.append({Kind::Number, e.mid(start, i - start), start});
        } else if (c.isLetter() || c == '_') {
            while (i < e.size() && (e.at(i).isLetterOrNumber() || e.at(i) == '_'))
                ++i;
            tokens.append({Kind::Word, e.mid(start, i - start), start});
        } else if (c == '=' || c == '<' || c == '>') {
            ++i;
            if (i < e.size() && (e.at(i) == '=' || (c == '<' && e.at(i) == '>')))
                ++i;
            tokens.append({Kind::Operator, e.mid(start, i - start), start});
        } else {
            fail(e, QStringLiteral("unexpected character '%1' at position %2").arg(c).arg(i + 1));
        }
    }
    tokens.append({Kind::End, QString(), int(e.size())});
    return tokens;
}

enum class FieldKind { Flag, Number, DateTime, Text };

struct KnownField {
    const char* name;
    FieldKind kind;
};

// The fields a view may filter on, with the kind of value each takes.
constexpr KnownField kFields[] = {
    {"SearchHit", FieldKind::Flag},   {"NewUser", FieldKind::Flag},     {"SendRights", FieldKind::Flag},
    {"Tagged", FieldKind::Flag},      {"Bounces", FieldKind::Number},   {"InsertDate", FieldKind::DateTime},
    {"Category", FieldKind::Text},    {"Item", FieldKind::Text},        {"Name", FieldKind::Text},
};

class Parser {
public:
    explicit Parser(const QString& expression) : e_(expression), tokens_(tokenize(expression)) {}

    SqlFilter parse()
    {
        SqlFilter filter;
        if (peek().kind == Kind::End)
            return filter;
        filter.where = expression(filter.params, 0);
        if (peek().kind != Kind::End)
            unexpected();
        return filter;
    }

private:
    const Token& peek() const { return tokens_[pos_]; }
    const Token& next() { return tokens_[pos_++]; }

    [[noreturn]] void unexpected() const
    {
        const Token& t = peek();
        fail(e_, t.kind == Kind::End ? QStringLiteral("it ends too early")
                                     : QStringLiteral("'%1' at position %2 was not expected").arg(t.text).arg(t.position + 1));
    }

    bool isWord(const char* word) const
    {
        return peek().kind == Kind::Word && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    QString expression(QVariantList& params, int depth)
    {
        if (depth > 32)
            fail(e_, QStringLiteral("its brackets are nested too deeply"));
        QString sql = term(params, depth);
        while (isWord("OR") || isWord("AND")) {
            const QString joiner = next().text.toUpper();
            sql += ' ' + joiner + ' ' + term(params, depth);
        }
        return sql;
    }

    QString term(QVariantList& params, int depth)
    {
        if (peek().kind == Kind::Open) {
            next();
            const QString inner = expression(params, depth + 1);
            if (peek().kind != Kind::Close)
                unexpected();
            next();
            return '(' + inner + ')';
        }
        return comparison(params);
    }

    QString comparison(QVariantList& params)
    {
        if (peek().kind != Kind::Word)
            unexpected();
        const Token field = next();
        const KnownField* known = nullptr;
        for (const KnownField& f : kFields)
            if (field.text.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                known = &f;
        if (!known)
            fail(e_, QStringLiteral("'%1' is not a field that can be filtered on").arg(field.text));
        if (peek().kind != Kind::Operator)
            unexpected();
        const QString op = next().text;
        const QString name = QString::fromLatin1(known->name);
        switch (known->kind) {
        case FieldKind::Flag:
            return flag(name, op, params);
        case FieldKind::Number:
            return number(name, op, params);
        case FieldKind::DateTime:
            return dateTime(name, op, params);
        case FieldKind::Text:
            break;
        }
        return text(name, op, params);
    }

    QString flag(const QString& name, const QString& op, QVariantList& params)
    {
        if (op != QLatin1String("=") && op != QLatin1String("<>"))
            fail(e_, QStringLiteral("%1 can only be compared with = or <>").arg(name));
        if (!isWord("TRUE") && !isWord("FALSE"))
            fail(e_, QStringLiteral("%1 must be compared with TRUE or FALSE").arg(name));
        const bool value = next().text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
        const bool wantTrue = value == (op == QLatin1String("="));
        params << wantTrue;
        // The plain form keeps the field's index usable; a flag never written counts as FALSE.
        return wantTrue ? QStringLiteral("%1 = ?").arg(name) : QStringLiteral("coalesce(%1, 0) = ?").arg(name);
    }

    QString number(const QString& name, const QString& op, QVariantList& params)
    {
        if (peek().kind != Kind::Number)
            fail(e_, QStringLiteral("%1 must be compared with a whole number").arg(name));
        bool ok = false;
        const int value = next().text.toInt(&ok);
        if (!ok)
            fail(e_, QStringLiteral("the number for %1 is out of range").arg(name));
        params << value;
        return QStringLiteral("%1 %2 ?").arg(name, op);
    }

    QString dateTime(const QString& name, const QString& op, QVariantList& params)
    {
        if (peek().kind != Kind::Text)
            fail(e_, QStringLiteral("%1 must be compared with a quoted date and time").arg(name));
        const QString text = next().text.trimmed();
        QDateTime value = QDateTime::fromString(text, Qt::ISODate);
        if (!value.isValid())
            value = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
        if (!value.isValid())
            fail(e_, QStringLiteral("'%1' is not a date and time in the form yyyy-MM-ddTHH:mm:ss").arg(text));
        params << isoDateTime(value);
        return QStringLiteral("%1 %2 ?").arg(name, op);
    }

    QString text(const QString& name, const QString& op, QVariantList& params)
    {
        if (op != QLatin1String("=") && op != QLatin1String("<>"))
            fail(e_, QStringLiteral("%1 can only be compared with = or <>").arg(name));
        if (peek().kind != Kind::Text)
            fail(e_, QStringLiteral("%1 must be compared with a quoted text").arg(name));
        params << next().text;
        // "IS NOT": a row without a group is outside every group, so hiding groups keeps it.
        return QStringLiteral("%1 %2 ? COLLATE %3")
            .arg(name, op == QLatin1String("=") ? QStringLiteral("=") : QStringLiteral("IS NOT"),
                 QLatin1String(kUnicodeNoCase));
    }

    QString e_;
    QList<Token> tokens_;
    int pos_ = 0;
};

}  // namespace

SqlFilter parseFilter(const QString& expression) { return Parser(expression).parse(); }
