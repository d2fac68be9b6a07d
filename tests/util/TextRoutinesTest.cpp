#include "util/TextRoutines.h"

#include <gtest/gtest.h>

TEST(ReplaceAll, SearchesAgainFromTheStartAfterEachReplacement)
{
    // A single pass would leave "ab"; searching again consumes the pair it formed.
    EXPECT_EQ(ReplaceAll("aab", "ab", "b"), "b");
    EXPECT_EQ(ReplaceAll("Dear %NAME%, %NAME%!", "%NAME%", "Ann"), "Dear Ann, Ann!");
    EXPECT_EQ(ReplaceAll("a--b---c", "--", "-"), "a-b-c");
}

TEST(ReplaceAll, EmptyReplacementRemovesAndEmptySearchChangesNothing)
{
    EXPECT_EQ(ReplaceAll("x, y, z", ", ", ""), "xyz");
    EXPECT_EQ(ReplaceAll("abc", "", "z"), "abc");
    EXPECT_EQ(ReplaceAll("abc", "q", "z"), "abc");
}

TEST(ReplaceAll, EndsWhenTheReplacementContainsTheSearchText)
{
    EXPECT_EQ(ReplaceAll("a", "a", "aa"), "aa");
    EXPECT_EQ(ReplaceAll("x a y a", "a", "[a]"), "x [a] y [a]");
    EXPECT_EQ(ReplaceAll("%E%", "%E%", "<%E%>"), "<%E%>");
    // The inserted "a" is left alone, the caller's second "a" is still replaced.
    EXPECT_EQ(ReplaceAll("aa", "a", "ba"), "baba");
}

TEST(ReplaceAll, AnOccurrenceStraddlingInsertedAndOriginalTextIsReplaced)
{
    // "abb" -> "ab" (inserted "a" + original "b") -> "a": as searching again would give.
    EXPECT_EQ(ReplaceAll("abb", "ab", "a"), "a");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "a");
}

TEST(RemoveAll, SearchesAgainFromTheStart)
{
    EXPECT_EQ(RemoveAll("aabb", "ab"), "");
    EXPECT_EQ(RemoveAll("Re: Re: Fw: hello", "Re: "), "Fw: hello");
    EXPECT_EQ(RemoveAll("hello", ""), "hello");
}

TEST(TextPieces, LeftPartAndDropLeft)
{
    EXPECT_EQ(LeftPart("subscribe", 3), "sub");
    EXPECT_EQ(LeftPart("ab", 5), "ab");
    EXPECT_EQ(LeftPart("ab", -1), "");
    EXPECT_EQ(DropLeft("subscribe", 3), "scribe");
    EXPECT_EQ(DropLeft("abc", 0), "abc");
    EXPECT_EQ(DropLeft("abc", -2), "abc");
    EXPECT_EQ(DropLeft("abc", 9), "");
}

TEST(TextPieces, TextAfterFindsTheMarkerInAnyCase)
{
    EXPECT_EQ(TextAfter("Subject: SUBSCRIBE news", "subscribe "), "news");
    EXPECT_EQ(TextAfter("Name: Zoë Ünal", "zoË "), "Ünal");
    EXPECT_EQ(TextAfter("a=b=c", "="), "b=c");
    EXPECT_EQ(TextAfter("no marker here", "#"), "no marker here");
}

TEST(TextPieces, ContainsTextIgnoresCaseAndEmptyPartMatchesNothing)
{
    EXPECT_TRUE(ContainsText("Please UNSUBSCRIBE me", "unsubscribe"));
    EXPECT_TRUE(ContainsText("ÉTÉ", "été"));
    EXPECT_FALSE(ContainsText("subscribe", "unsubscribe"));
    EXPECT_FALSE(ContainsText("anything", ""));
}

TEST(TextPieces, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(TrimText(QString("\x01\t  a b \r\n\x1f")), "a b");
    EXPECT_EQ(TrimText("   "), "");
}

TEST(TextPieces, LooksLikeHTMLKnowsOnlyTwoSpellings)
{
    EXPECT_TRUE(LooksLikeHTML("x<HTML><body>"));
    EXPECT_TRUE(LooksLikeHTML("<html>"));
    EXPECT_FALSE(LooksLikeHTML("<Html>"));
    EXPECT_FALSE(LooksLikeHTML("plain"));
}

TEST(BooleanText, TextToBoolComparesUpperCasedAndFallsBackToTheDefault)
{
    EXPECT_TRUE(TextToBool("true", false));
    EXPECT_TRUE(TextToBool("TRUE", false));
    EXPECT_FALSE(TextToBool("False", true));
    EXPECT_TRUE(TextToBool("yes", true));
    EXPECT_FALSE(TextToBool("yes", false));
    EXPECT_FALSE(TextToBool("1", false));
    EXPECT_TRUE(TextToBool("", true));
    EXPECT_FALSE(TextToBool(" true", false));
}

TEST(BooleanText, BoolToTextAndIfText)
{
    EXPECT_EQ(BoolToText(true), "True");
    EXPECT_EQ(BoolToText(false), "False");
    EXPECT_EQ(TextToBool(BoolToText(false), true), false);
    EXPECT_EQ(IfText(true, "x"), "x");
    EXPECT_EQ(IfText(false, "x"), "");
}

TEST(ColourText, SixUpperCaseHexDigitsRedGreenBlue)
{
    EXPECT_EQ(ColorToHTML(QColor(255, 0, 0)), "#FF0000");
    EXPECT_EQ(ColorToHTML(QColor(0x12, 0xab, 0xcd)), "#12ABCD");
    EXPECT_EQ(ColorToHTML(QColor(0, 0, 255, 10)), "#0000FF");
}

TEST(Numbers, UpToWholeRoundsFractionsUp)
{
    EXPECT_EQ(UpToWhole(3.0), 3);
    EXPECT_EQ(UpToWhole(3.01), 4);
    EXPECT_EQ(UpToWhole(0.5), 1);
    EXPECT_EQ(UpToWhole(0.0), 0);
}
