#include "addresses/AddressSyntax.h"

#include <gtest/gtest.h>

namespace {

int syntaxCode(const QString& address)
{
    int code = 12345;
    const bool valid = CheckAddressSyntax(address, code);
    EXPECT_EQ(valid, code == AddressError::None) << address.toStdString();
    return code;
}

}  // namespace

TEST(CheckAddressSyntax, AcceptsPlainAddressesInAnyCase)
{
    EXPECT_EQ(syntaxCode("john.smith@example.com"), 0);
    EXPECT_EQ(syntaxCode("J.O'Brien+list$x%y/z_w@Mail-Host.Example.CO"), 0);
    // Only labels closed by a dot are checked for hyphens.
    EXPECT_EQ(syntaxCode("a@b.co-"), 0);
}

TEST(CheckAddressSyntax, ReportsEachCode)
{
    EXPECT_EQ(syntaxCode(""), AddressError::Empty);
    EXPECT_EQ(syntaxCode("john.example.com"), AddressError::NoAtSymbol);
    EXPECT_EQ(syntaxCode("john smith@example.com"), AddressError::InvalidCharacter);
    EXPECT_EQ(syntaxCode("@example.com"), AddressError::NoUserPart);
    EXPECT_EQ(syntaxCode("john@"), AddressError::NoDomainPart);
    EXPECT_EQ(syntaxCode("john@" + QString(253, 'd') + ".com"), AddressError::DomainPartTooLong);
    EXPECT_EQ(syntaxCode(QString(65, 'u') + "@example.com"), AddressError::UserPartTooLong);
    EXPECT_EQ(syntaxCode("john@localhost"), AddressError::NoTopLevelDomain);
    EXPECT_EQ(syntaxCode("john@example.c"), AddressError::InvalidGeneralDomain);
    EXPECT_EQ(syntaxCode("john@example.com@other.com"), AddressError::TooManyAtSymbols);
}

TEST(CheckAddressSyntax, LimitsAreInclusive)
{
    EXPECT_EQ(syntaxCode(QString(64, 'u') + "@example.com"), 0);
    EXPECT_EQ(syntaxCode("u@" + QString(252, 'd') + ".com"), 0);  // 256 characters of domain
}

TEST(CheckAddressSyntax, RefusesCharactersOutsideTheAddressSet)
{
    for (const char* bad : {"a\tb@c.com", "a~b@c.com", "a!b@c.com", "a#b@c.com", "a&b@c.com", "a*b@c.com",
                            "a=b@c.com", "a?b@c.com", "a^b@c.com", "a{b@c.com", "a}b@c.com"})
        EXPECT_EQ(syntaxCode(bad), AddressError::InvalidCharacter) << bad;
    EXPECT_EQ(syntaxCode(QString::fromUtf8("jos\u00e9@example.com")), AddressError::InvalidCharacter);
}

TEST(CheckAddressSyntax, RefusesMisplacedDotsAndHyphens)
{
    for (const char* bad : {".john@example.com", "john.@example.com", "jo..hn@example.com", "john@.example.com",
                            "john@example.com.", "john@example..com", "john@-example.com", "john@example-.com",
                            "john@a.-b.com"})
        EXPECT_EQ(syntaxCode(bad), AddressError::InvalidCharacter) << bad;
}

TEST(CheckAddressSyntax, EarlierTestsWin)
{
    // Characters are judged before the parts exist.
    EXPECT_EQ(syntaxCode("@ex ample.com"), AddressError::InvalidCharacter);
    EXPECT_EQ(syntaxCode("no space"), AddressError::NoAtSymbol);
    // A missing user part before a too-long domain, a too-long domain before a too-long user.
    EXPECT_EQ(syntaxCode("@" + QString(300, 'd') + ".com"), AddressError::NoUserPart);
    EXPECT_EQ(syntaxCode(QString(65, 'u') + "@" + QString(300, 'd')), AddressError::DomainPartTooLong);
    // A too-long user part before its dots are looked at.
    EXPECT_EQ(syntaxCode("." + QString(65, 'u') + "@example.com"), AddressError::UserPartTooLong);
    // The label walk runs left to right: a bad label before the second '@' decides.
    EXPECT_EQ(syntaxCode("a@b-.c@d.com"), AddressError::InvalidCharacter);
    EXPECT_EQ(syntaxCode("a@b.c@d-.com"), AddressError::TooManyAtSymbols);
    // A second '@' without any dot is still "too many", not "no TLD".
    EXPECT_EQ(syntaxCode("a@b@c"), AddressError::TooManyAtSymbols);
}

TEST(AddressErrorText, WordsEveryCode)
{
    EXPECT_EQ(AddressErrorText(0), "Unknown error occured!");
    EXPECT_EQ(AddressErrorText(1), "Address does not contain an @ symbol");
    EXPECT_EQ(AddressErrorText(2), "Data too small");
    EXPECT_EQ(AddressErrorText(3), "User name part is too long!");
    EXPECT_EQ(AddressErrorText(4), "Domain name part is too long");
    EXPECT_EQ(AddressErrorText(5), "Address contains an invalid character");
    EXPECT_EQ(AddressErrorText(6), "Address does not contain a user name part");
    EXPECT_EQ(AddressErrorText(7), "Address does not contain a domain name part");
    EXPECT_EQ(AddressErrorText(8), "The domain TLD part is missing (.com, .net, etc)");
    EXPECT_EQ(AddressErrorText(9), "Address has an invalid general domain");
    EXPECT_EQ(AddressErrorText(10), "Address contains too many @ symbols");
    EXPECT_EQ(AddressErrorText(AddressError::CheckFailed), "Invalid error code!");
    EXPECT_EQ(AddressErrorText(11), "Invalid error code!");
    EXPECT_EQ(AddressErrorText(AddressError::ExceptionText), "Invalid error code!");
}

TEST(GetEmailErrorCode, AddsTheExceptionText)
{
    EXPECT_EQ(GetEmailErrorCode(101), "E-mail address contains Exception text as set in Options");
    EXPECT_EQ(GetEmailErrorCode(8), "The domain TLD part is missing (.com, .net, etc)");
    EXPECT_EQ(GetEmailErrorCode(-1), "Invalid error code!");
}

TEST(validemailaddress, AppliesTheExceptionListAfterTheSyntax)
{
    const QStringList exceptions{"__", "", "hotmial"};
    int code = 0;
    EXPECT_TRUE(validemailaddress(u"john@example.com", true, exceptions, code));
    EXPECT_EQ(code, 0);

    EXPECT_FALSE(validemailaddress(u"jo__hn@example.com", true, exceptions, code));
    EXPECT_EQ(code, AddressError::ExceptionText);
    EXPECT_FALSE(validemailaddress(u"john@hotmial.com", true, exceptions, code));
    EXPECT_EQ(code, AddressError::ExceptionText);
    // Case-sensitive: an upper-case spelling passes.
    EXPECT_TRUE(validemailaddress(u"john@HOTMIAL.com", true, exceptions, code));
    // A syntax failure is reported before the list is consulted.
    EXPECT_FALSE(validemailaddress(u"__@hotmial", true, exceptions, code));
    EXPECT_EQ(code, AddressError::NoTopLevelDomain);
    // Without the flag the list is not consulted; the empty line never matches everything.
    EXPECT_TRUE(validemailaddress(u"jo__hn@hotmial.com", false, exceptions, code));
    EXPECT_TRUE(validemailaddress(u"ann@example.org", true, QStringList{""}, code));
}

TEST(validemailaddress, ReadsTheListFromSettings)
{
    Settings settings;
    settings.ExceptList = {"spam"};
    int code = 0;
    EXPECT_FALSE(validemailaddress(u"spammer@example.com", true, settings, code));
    EXPECT_EQ(code, AddressError::ExceptionText);
    EXPECT_TRUE(validemailaddress(u"jo__hn@example.com", true, settings, code));
}
