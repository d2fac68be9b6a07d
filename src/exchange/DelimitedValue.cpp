#include "exchange/DelimitedValue.h"

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool needsQuotes(const QString& value, QChar separator)
{
    if (value.isEmpty())
        return false;
    if (isBlank(value.front()) || isBlank(value.back()))
        return true;
    for (const QChar c : value)
        if (c == separator || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

}  // namespace

void appendDelimitedValue(QString& out, const QString& value, QChar separator)
{
    if (!needsQuotes(value, separator)) {
        out += value;
        return;
    }
    out += u'"';
    for (const QChar c : value) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

QString delimitedValue(const QString& value, QChar separator)
{
    QString out;
    appendDelimitedValue(out, value, separator);
    return out;
}
