#include "util/TextRoutines.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

}  // namespace

QString TrimText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString LeftPart(const QString& text, int n)
{
    return n <= 0 ? QString() : text.left(n);
}

QString DropLeft(const QString& text, int n)
{
    return n <= 0 ? text : text.mid(n);
}

QString TextAfter(const QString& text, const QString& marker)
{
    if (marker.isEmpty())
        return text;
    const qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    return at < 0 ? text : text.mid(at + marker.size());
}

bool ContainsText(const QString& text, const QString& part)
{
    return !part.isEmpty() && text.contains(part, Qt::CaseInsensitive);
}

QString RemoveAll(const QString& text, const QString& part)
{
    return ReplaceAll(text, part, QString());
}

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement)
{
    if (search.isEmpty())
        return text;
    QString result = text;
    // inserted[i]: character i came from the replacement, not from the caller's text.
    std::vector<bool> inserted(static_cast<size_t>(result.size()), false);
    const qsizetype length = search.size();
    qsizetype from = 0;
    for (;;) {
        qsizetype at = result.indexOf(search, from);
        while (at >= 0) {
            const auto first = inserted.begin() + at;
            if (std::find(first, first + length, false) != first + length)
                break;  // holds some of the caller's text: replace it
            at = result.indexOf(search, at + 1);
        }
        if (at < 0)
            return result;
        result.replace(at, length, replacement);
        const auto pos = inserted.begin() + at;
        inserted.insert(inserted.erase(pos, pos + length), static_cast<size_t>(replacement.size()),
                        true);
        // Text before the change is unchanged, so an occurrence that starts there
        // must reach into the change; searching again from the start finds nothing
        // earlier than this.
        from = std::max<qsizetype>(0, at - length + 1);
    }
}

bool LooksLikeHTML(const QString& text)
{
    return text.contains(QLatin1String("<HTML")) || text.contains(QLatin1String("<html"));
}

QString BoolToText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool TextToBool(const QString& text, bool defaultValue)
{
    const QString upper = text.toUpper();
    if (upper == QLatin1String("TRUE"))
        return true;
    if (upper == QLatin1String("FALSE"))
        return false;
    return defaultValue;
}

QString IfText(bool condition, const QString& text)
{
    return condition ? text : QString();
}

QString ColorToHTML(const QColor& colour)
{
    return colour.name(QColor::HexRgb).toUpper();
}

int UpToWhole(double number)
{
    const double whole = std::trunc(number);
    return static_cast<int>(whole) + (number != whole ? 1 : 0);
}
