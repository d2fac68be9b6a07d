#pragma once

#include <QDate>
#include <QString>

struct Settings;

// One recipient's values for the field codes; an empty one shows its default.
struct FieldValues {
    QString fullName;
    QString firstName;
    QString surname;
    QString company;
    QString address;
};

// True when the text holds "%FULL_NAME%", "%FIRST_NAME%", "%SURNAME%", "%EMAIL%",
// "%COMPANY%" or "%DATE%", written exactly so (upper case).
bool HasFieldCodes(const QString& text);

// Replaces every field code by its value, the names and company falling back on
// the settings' defaults and "%EMAIL%" on nothing; "%DATE%" is the day in the
// system's short date format. Text that a value brings in is never searched for
// codes, so a name that itself reads "%FULL_NAME%" arrives as written.
QString ReplaceFieldCodes(const QString& text, const FieldValues& values, const Settings& settings,
                          const QDate& today = QDate::currentDate());
