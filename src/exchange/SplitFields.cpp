#include "exchange/SplitFields.h"

#include "util/TextRoutines.h"

QStringList SplitFields(const QString& line, const QString& separator, bool stripQuotes, bool keepEmpty)
{
    const QString sep = separator.isEmpty() ? QStringLiteral(",") : separator;
    QStringList fields;
    if (line.isEmpty() || line == sep)
        return fields;
    const QString text = line.endsWith(sep) ? line : line + sep;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype cut = text.indexOf(sep, start);
        if (cut < 0)
            break;
        QString field = TrimText(text.mid(start, cut - start));
        if (stripQuotes) {
            if (field.startsWith('"'))
                field.remove(0, 1);
            if (field.endsWith('"'))
                field.chop(1);
        }
        if (!field.isEmpty() || keepEmpty)
            fields << field;
        start = cut + sep.size();
    }
    return fields;
}
