#include "sending/FieldCodes.h"

#include "settings/Settings.h"

#include <QList>
#include <QLocale>
#include <utility>

namespace {

const QString kFullName = QStringLiteral("%FULL_NAME%");
const QString kFirstName = QStringLiteral("%FIRST_NAME%");
const QString kSurname = QStringLiteral("%SURNAME%");
const QString kCompany = QStringLiteral("%COMPANY%");
const QString kDate = QStringLiteral("%DATE%");
const QString kEmail = QStringLiteral("%EMAIL%");

QString orDefault(const QString& value, const QString& fallback) { return value.isEmpty() ? fallback : value; }

// A stretch of the text: as written (still searched) or brought in by a value.
struct Piece {
    QString text;
    bool inserted = false;
};

void replaceIn(QList<Piece>& pieces, const QString& code, const QString& value)
{
    QList<Piece> next;
    for (Piece& piece : pieces) {
        if (piece.inserted) {
            next.append(std::move(piece));
            continue;
        }
        qsizetype from = 0;
        for (qsizetype at; (at = piece.text.indexOf(code, from)) >= 0; from = at + code.size()) {
            next.append({piece.text.mid(from, at - from), false});
            next.append({value, true});
        }
        next.append({piece.text.mid(from), false});
    }
    pieces = std::move(next);
}

}  // namespace

bool HasFieldCodes(const QString& text)
{
    for (const QString* code : {&kFullName, &kFirstName, &kSurname, &kEmail, &kCompany, &kDate})
        if (text.contains(*code))
            return true;
    return false;
}

QString ReplaceFieldCodes(const QString& text, const FieldValues& values, const Settings& settings,
                          const QDate& today)
{
    const std::pair<const QString&, QString> replacements[] = {
        {kFullName, orDefault(values.fullName, settings.DefaultFullName)},
        {kFirstName, orDefault(values.firstName, settings.DefaultFirstName)},
        {kSurname, orDefault(values.surname, settings.DefaultSurname)},
        {kCompany, orDefault(values.company, settings.DefaultCompany)},
        {kDate, QLocale::system().toString(today, QLocale::ShortFormat)},
        {kEmail, values.address},
    };
    QList<Piece> pieces{{text, false}};
    for (const auto& [code, value] : replacements)
        replaceIn(pieces, code, value);
    QString result;
    for (const Piece& piece : pieces)
        result += piece.text;
    return result;
}
