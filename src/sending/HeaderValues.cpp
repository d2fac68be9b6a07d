#include "sending/HeaderValues.h"

#include "addresses/AddressSyntax.h"
#include "addresses/NameAndAddress.h"

#include <QRegularExpression>

QString headerText(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("[\\p{Cc}\\x{2028}\\x{2029}]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

std::optional<MailAddress> headerMailbox(const QString& line)
{
    // An address with a line break in it fails the syntax check once the break is
    // a space, so the whole line is refused rather than cut at the break.
    QString address = headerText(line).trimmed();
    QString name;
    SplitNameAndAddress(address, name);
    int code = AddressError::None;
    if (!CheckAddressSyntax(address, code))
        return std::nullopt;
    return MailAddress{headerText(name).trimmed(), address};
}
