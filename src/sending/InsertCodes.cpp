#include "sending/InsertCodes.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

// Numbers are read whole and without leading zeros, as the buttons write them.
const QRegularExpression& insertCodePattern()
{
    static const QRegularExpression pattern(QStringLiteral("%(?:IMAGE([1-9][0-9]*)|LINK([1-9][0-9]*)|LINKEND)%"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// The entry of a code's number, or -1 when there is none.
qsizetype entryOf(const QString& number, const QStringList& list)
{
    bool ok = false;
    const qsizetype n = number.toLongLong(&ok);
    return ok && n >= 1 && n <= list.size() ? n - 1 : -1;
}

}  // namespace

QString imageCode(int n) { return QStringLiteral("%IMAGE%1%").arg(n); }

QString linkCode(int n, const QString& text) { return QStringLiteral("%LINK%1%").arg(n) + text + "%LINKEND%"; }

QString withoutInsertCodes(const QString& text) { return QString(text).remove(insertCodePattern()); }

ReplacedInsertCodes replaceInsertCodes(const QString& html, const QStringList& imageSources,
                                       const QStringList& links)
{
    ReplacedInsertCodes result;
    QSet<qsizetype> used;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : insertCodePattern().globalMatch(html)) {
        result.html += html.mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        if (match.hasCaptured(1)) {
            if (const qsizetype image = entryOf(match.captured(1), imageSources); image >= 0) {
                used.insert(image);
                // The names and targets are typed or chosen by the user; quotes in them
                // must not end the attribute.
                result.html += "<img src=\"" + QFileInfo(imageSources[image]).fileName().toHtmlEscaped()
                               + "\" border=\"0\">";
                continue;
            }
        } else if (match.hasCaptured(2)) {
            if (const qsizetype link = entryOf(match.captured(2), links); link >= 0) {
                result.html += "<A HREF=\"" + links[link].toHtmlEscaped() + "\">";
                continue;
            }
        } else if (!links.isEmpty()) {
            result.html += "</A>";
            continue;
        }
        result.html += match.captured();
    }
    result.html += html.mid(from);
    for (qsizetype image = 0; image < imageSources.size(); ++image)
        if (used.contains(image))
            result.usedImages.append(imageSources[image]);
    return result;
}
