#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The date-time scale of stored day numbers: day 0 is 30 December 1899.
inline QDate dayZero() { return QDate(1899, 12, 30); }
inline qint64 dayNumber(const QDate& d) { return dayZero().daysTo(d); }
inline QDate fromDayNumber(qint64 n) { return dayZero().addDays(n); }

// A request's date-time text as it reaches us: a message's Date header, ISO 8601,
// or the locale's short date and time. nullopt when none of them fits.
std::optional<QDateTime> parseDateTimeText(const QString& text);
