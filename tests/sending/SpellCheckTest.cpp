#include "sending/SpellCheck.h"
#include "sending/SpellChecker.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

class SpellCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        checker = SpellChecker::open(QLocale(QLocale::English, QLocale::UnitedStates));
        if (!checker)
            GTEST_SKIP() << "no Hunspell dictionary installed (hunspell-en-us)";
    }

    // Corrects every word it is asked about to the replacement given for it, and
    // records the words asked about.
    SpellDecide correcting(const QMap<QString, QString>& replacements)
    {
        return [this, replacements](const QString& word, const QStringList& suggestions) {
            asked << word;
            if (!replacements.contains(word))
                return SpellDecision{SpellDecision::Ignore, {}};
            EXPECT_TRUE(suggestions.contains(replacements[word])) << word.toStdString();
            return SpellDecision{SpellDecision::Change, replacements[word]};
        };
    }

    std::unique_ptr<SpellChecker> checker;
    QStringList asked;
};

TEST_F(SpellCheckTest, CorrectionsKeepTheirFormattingAndCodesAndAddressesAreNotWords)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Dear %FIRST_NAME%, thank you for yuor interest.\nVisit www.exampel.org or mail "
                      "ann@exampel.org about the ");
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("nwe", bold);
    cursor.insertText(" offer of 2027.");

    ASSERT_TRUE(spellCheckDocument(document, *checker, correcting({{"yuor", "your"}, {"nwe", "new"}})));
    EXPECT_EQ(asked, QStringList({"yuor", "nwe"}));
    EXPECT_EQ(document.toPlainText(), "Dear %FIRST_NAME%, thank you for your interest.\nVisit www.exampel.org or "
                                      "mail ann@exampel.org about the new offer of 2027.");
    const int at = int(document.toPlainText().indexOf("new"));
    QTextCursor check(&document);
    check.setPosition(at + 1);
    EXPECT_EQ(check.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(SpellCheckTest, IgnoreAllStopsAskingAndCancelKeepsWhatWasCorrected)
{
    QTextDocument document("Corvanel sends teh news. Corvanel keeps teh list.");
    int calls = 0;
    const bool finished = spellCheckDocument(document, *checker, [&calls](const QString& word, const QStringList&) {
        ++calls;
        if (word == "Corvanel")
            return SpellDecision{SpellDecision::IgnoreAll, {}};
        if (calls == 2)
            return SpellDecision{SpellDecision::Change, "the"};
        return SpellDecision{SpellDecision::Cancel, {}};
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(calls, 3);  // Corvanel once, teh, teh again (cancelled)
    EXPECT_EQ(document.toPlainText(), "Corvanel sends the news. Corvanel keeps teh list.");

    QString subject = "Our nwe prices";
    ASSERT_TRUE(spellCheckLine(subject, *checker, correcting({{"nwe", "new"}})));
    EXPECT_EQ(subject, "Our new prices");
}

}  // namespace
