#include "addresses/NameAndAddress.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// address line (and a name passed in) -> {address, name}
std::pair<QString, QString> split(const QString& line, const QString& nameIn = {})
{
    QString address = line;
    QString name = nameIn;
    SplitNameAndAddress(address, name);
    return {address, name};
}

using Split = std::pair<QString, QString>;

}  // namespace

TEST(CleanDisplayName, TrimsAndDropsOneQuoteAtEachEnd)
{
    EXPECT_EQ(CleanDisplayName("  \t\"John Smith\"\r\n"), "John Smith");
    EXPECT_EQ(CleanDisplayName("\"\"Quoted twice\"\""), "\"Quoted twice\"");
    EXPECT_EQ(CleanDisplayName("\"Open only"), "Open only");
    EXPECT_EQ(CleanDisplayName("\""), "");
    EXPECT_EQ(CleanDisplayName(" john@example.com "), "");
}

TEST(ReverseCommaName, PutsTheTextAfterTheFirstCommaFirst)
{
    EXPECT_EQ(ReverseCommaName("Smith, John"), "John Smith");
    EXPECT_EQ(ReverseCommaName("Smith, John, Jr"), "John, Jr Smith");
    EXPECT_EQ(ReverseCommaName("Smith,"), " Smith");
    EXPECT_EQ(ReverseCommaName(",John"), ",John");
    EXPECT_EQ(ReverseCommaName("John Smith"), "John Smith");
}

TEST(SplitNameAndAddress, TakesTheNameFromBeforeTheBrackets)
{
    EXPECT_EQ(split("John Smith <john@example.com>"), (Split{"john@example.com", "John Smith"}));
    EXPECT_EQ(split("\"Smith, John\" <john@example.com>"), (Split{"john@example.com", "John Smith"}));
    EXPECT_EQ(split("  <john@example.com>  "), (Split{"john@example.com", ""}));
    // The address written twice: the display part holds '@', so there is no name.
    EXPECT_EQ(split("john@example.com <john@example.com>"), (Split{"john@example.com", ""}));
    // The name is taken before the '>' are removed from the address.
    EXPECT_EQ(split("A > B <john@example.com>>"), (Split{"john@example.com", "A > B"}));
}

TEST(SplitNameAndAddress, ANamePassedInWins)
{
    EXPECT_EQ(split("Other Name <john@example.com>", " \"Doe, Jane\" "), (Split{"john@example.com", "Jane Doe"}));
    // Without brackets the address is left as it came and the name only cleaned, not reversed.
    EXPECT_EQ(split(" john@example.com ", "\"Doe, Jane\""), (Split{" john@example.com ", "Doe, Jane"}));
}

TEST(ExtractAddress, GivesTheBareAddress)
{
    EXPECT_EQ(ExtractAddress("\"Smith, John\" <john@example.com>"), "john@example.com");
    EXPECT_EQ(ExtractAddress("john@example.com"), "john@example.com");
}

TEST(FormatNameAndAddress, BuildsTheAddressLine)
{
    EXPECT_EQ(FormatNameAndAddress("John Smith", "john@example.com"), "John Smith <john@example.com>");
    EXPECT_EQ(FormatNameAndAddress("", "john@example.com"), "john@example.com");
    EXPECT_EQ(FormatNameAndAddress("John Smith", ""), "");
    const QString line = FormatNameAndAddress("John Smith", "john@example.com");
    EXPECT_EQ(split(line), (Split{"john@example.com", "John Smith"}));
}

TEST(LooksLikeAddress, IsTheQuickTest)
{
    EXPECT_TRUE(LooksLikeAddress("john@example.com"));
    EXPECT_TRUE(LooksLikeAddress("j.x@y"));  // not the full check
    EXPECT_FALSE(LooksLikeAddress(""));
    EXPECT_FALSE(LooksLikeAddress("john@examplecom"));   // no dot at all
    EXPECT_FALSE(LooksLikeAddress(".john@example.com"));  // dot first
    EXPECT_FALSE(LooksLikeAddress("@john.example.com"));  // '@' first
    EXPECT_FALSE(LooksLikeAddress("john.example.com@"));  // '@' last
    EXPECT_FALSE(LooksLikeAddress("john.example.com"));   // no '@'
    EXPECT_FALSE(LooksLikeAddress("john smith@example.com"));
}
