#pragma once

#include <QChar>
#include <QString>

// One value of a delimited line as it is written. A value that would not read back
// as itself (it holds the separator, a double quote or a line break, or starts or
// ends with a blank that a reader trims) is put in double quotes with its quotes
// doubled; every other value is written exactly as it is, so plain lists give the
// same bytes as always.
QString delimitedValue(const QString& value, QChar separator);

// The same, appended to out; a walk over a large list builds its lines this way
// without a text per value.
void appendDelimitedValue(QString& out, const QString& value, QChar separator);
