#include "addresses/AddressSyntax.h"

#include <array>

namespace {

bool fail(int& code, int reason)
{
    code = reason;
    return false;
}

// The walk over the domain's labels: every label that a dot closes must not
// begin or end with '-', two dots may not meet, and a second '@' is refused.
// The last label is judged separately.
int checkDomainLabels(QStringView domain)
{
    qsizetype labelStart = 0;
    for (qsizetype i = 0; i < domain.size(); ++i) {
        const QChar c = domain[i];
        if (c == u'.') {
            if (i + 1 < domain.size() && domain[i + 1] == u'.')
                return AddressError::InvalidCharacter;
            const QStringView label = domain.sliced(labelStart, i - labelStart);
            if (label.startsWith(u'-') || label.endsWith(u'-'))
                return AddressError::InvalidCharacter;
            labelStart = i + 1;
        } else if (c == u'@') {
            return AddressError::TooManyAtSymbols;
        }
    }
    return AddressError::None;
}

}  // namespace

bool CheckAddressSyntax(QStringView address, int& code)
{
    if (address.isEmpty())
        return fail(code, AddressError::Empty);
    const qsizetype at = address.indexOf(u'@');
    if (at < 0)
        return fail(code, AddressError::NoAtSymbol);
    for (const QChar c : address) {
        if (!isAddressChar(c.unicode()))
            return fail(code, AddressError::InvalidCharacter);
    }

    const QStringView user = address.first(at);
    const QStringView domain = address.sliced(at + 1);
    if (user.isEmpty())
        return fail(code, AddressError::NoUserPart);
    if (domain.isEmpty())
        return fail(code, AddressError::NoDomainPart);
    if (domain.size() > MaxDomainPartLength)
        return fail(code, AddressError::DomainPartTooLong);
    if (user.size() > MaxUserPartLength)
        return fail(code, AddressError::UserPartTooLong);
    if (user.startsWith(u'.') || user.endsWith(u'.') || user.contains(u".."))
        return fail(code, AddressError::InvalidCharacter);
    if (domain.startsWith(u'.') || domain.endsWith(u'.'))
        return fail(code, AddressError::InvalidCharacter);
    if (const int labels = checkDomainLabels(domain); labels != AddressError::None)
        return fail(code, labels);

    const qsizetype lastDot = domain.lastIndexOf(u'.');
    if (lastDot < 0)
        return fail(code, AddressError::NoTopLevelDomain);
    if (domain.size() - lastDot - 1 < 2)
        return fail(code, AddressError::InvalidGeneralDomain);

    code = AddressError::None;
    return true;
}

QString AddressErrorText(int code)
{
    static constexpr std::array<const char*, 11> texts = {
        "Unknown error occured!",
        "Address does not contain an @ symbol",
        "Data too small",
        "User name part is too long!",
        "Domain name part is too long",
        "Address contains an invalid character",
        "Address does not contain a user name part",
        "Address does not contain a domain name part",
        "The domain TLD part is missing (.com, .net, etc)",
        "Address has an invalid general domain",
        "Address contains too many @ symbols",
    };
    if (code < 0 || code >= int(texts.size()))
        return QStringLiteral("Invalid error code!");
    return QString::fromLatin1(texts[std::size_t(code)]);
}

QString GetEmailErrorCode(int code)
{
    if (code == AddressError::ExceptionText)
        return QStringLiteral("E-mail address contains Exception text as set in Options");
    return AddressErrorText(code);
}

bool validemailaddress(QStringView address, bool applyExceptions, const QStringList& exceptList, int& code)
{
    if (!CheckAddressSyntax(address, code))
        return false;
    if (applyExceptions) {
        for (const QString& exception : exceptList) {
            if (!exception.isEmpty() && address.contains(exception))
                return fail(code, AddressError::ExceptionText);
        }
    }
    return true;
}
