#include "sending/ListHeaders.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

// A list label is one line of a mail program's filter list; longer names are cut.
constexpr qsizetype MaxLabelLength = 60;

QString asciiLabel(const QString& name)
{
    QString label;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD).toLower()) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const bool keep = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        if (keep)
            label += c;
        else if (!label.endsWith(u'-'))
            label += u'-';
    }
    static const QRegularExpression edgeHyphens(QStringLiteral("^-+|-+$"));
    label = label.left(MaxLabelLength).remove(edgeHyphens);
    return label.isEmpty() ? QStringLiteral("list") : label;
}

}  // namespace

QByteArray listUnsubscribeValue(const QString& removeAddress)
{
    return "<mailto:" + QUrl::toPercentEncoding(removeAddress, "@!$'*+-._~") + "?subject=unsubscribe>";
}

QByteArray listIdentifier(const QString& databaseName, const QString& removeAddress)
{
    const QString domain = removeAddress.section(u'@', -1).toLower();
    return (asciiLabel(databaseName) + u'.' + domain).toLatin1();
}
