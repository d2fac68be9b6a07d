#pragma once

#include <QString>
#include <QVariantList>
#include <stdexcept>

// A filter expression of the entries table turned into a parameterised WHERE clause.
struct SqlFilter {
    QString where;  // empty: every row
    QVariantList params;
};

class FilterError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Parses the textual forms stored in mode strings ("SearchHit = TRUE",
// "Bounces > 5", "InsertDate > '2026-12-01T10:00:00'", group terms joined by OR /
// AND, ...). Unknown forms throw FilterError with a clear message.
SqlFilter parseFilter(const QString& expression);
