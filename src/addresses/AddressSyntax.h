#pragma once

#include "settings/Settings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The codes an address check reports; 0 means the address is valid.
namespace AddressError {
constexpr int None = 0;
constexpr int NoAtSymbol = 1;
constexpr int Empty = 2;
constexpr int UserPartTooLong = 3;
constexpr int DomainPartTooLong = 4;
constexpr int InvalidCharacter = 5;
constexpr int NoUserPart = 6;
constexpr int NoDomainPart = 7;
constexpr int NoTopLevelDomain = 8;
constexpr int InvalidGeneralDomain = 9;
constexpr int TooManyAtSymbols = 10;
constexpr int CheckFailed = -1;
constexpr int ExceptionText = 101;
}  // namespace AddressError

constexpr qsizetype MaxUserPartLength = 64;
constexpr qsizetype MaxDomainPartLength = 256;

// True when the character may appear anywhere in an address:
// ASCII letters, digits and $ % ' + - . / @ _
constexpr bool isAddressChar(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'$'
           || c == u'%' || c == u'\'' || c == u'+' || c == u'-' || c == u'.' || c == u'/' || c == u'@'
           || c == u'_';
}

// The syntax check. The first failing test decides `code`; the address itself
// is never changed, and upper and lower case are both accepted.
bool CheckAddressSyntax(QStringView address, int& code);

// The wording of a syntax code; "Invalid error code!" for anything outside 0-10.
QString AddressErrorText(int code);

// As AddressErrorText, and also words the exception-list rejection (101).
QString GetEmailErrorCode(int code);

// The admission check: the syntax check and then, when `applyExceptions` is set,
// no non-empty line of `exceptList` may occur in the address (case-sensitive).
bool validemailaddress(QStringView address, bool applyExceptions, const QStringList& exceptList, int& code);

inline bool validemailaddress(QStringView address, bool applyExceptions, const Settings& settings, int& code)
{
    return validemailaddress(address, applyExceptions, settings.ExceptList, code);
}
