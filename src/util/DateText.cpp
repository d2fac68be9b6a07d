#include "util/DateText.h"

#include <QLocale>

std::optional<QDateTime> parseDateTimeText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (auto format : {Qt::ISODate, Qt::RFC2822Date, Qt::TextDate}) {
        QDateTime dt = QDateTime::fromString(t, format);
        if (dt.isValid())
            return dt.toLocalTime();
    }
    const QLocale locale = QLocale::system();
    for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime dt = locale.toDateTime(t, format);
        if (dt.isValid())
            return dt;
        QDate d = locale.toDate(t, format);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return std::nullopt;
}
