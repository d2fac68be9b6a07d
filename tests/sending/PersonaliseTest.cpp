#include "sending/FieldCodes.h"
#include "sending/MessageComposition.h"
#include "settings/Settings.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Personalising : ::testing::Test {
    Settings settings;
    MessageComposition composition{settings};
    void SetUp() override { composition.MessageIsPersonalised = true; }
};

TEST_F(Personalising, AnEmptyFirstNameShowsItsDefault)
{
    settings.DefaultFirstName = "Sir/Madam";
    EXPECT_EQ(composition.Personalise("Dear %FIRST_NAME%,", "Lee", "", "Lee", "", "lee@example.org"),
              "Dear Sir/Madam,");
    EXPECT_EQ(composition.Personalise("Dear %FIRST_NAME%,", "Ann Lee", "Ann", "Lee", "", "ann@example.org"),
              "Dear Ann,");
}

TEST_F(Personalising, ACodeInLowerCaseIsNeitherFoundNorReplaced)
{
    EXPECT_FALSE(HasFieldCodes("Dear %first_name% at %Company%"));
    EXPECT_TRUE(HasFieldCodes("Sent on %DATE%"));
    EXPECT_EQ(composition.Personalise("Dear %first_name%", "Ann Lee", "Ann", "", "", ""), "Dear %first_name%");
}

TEST_F(Personalising, AValueHoldingACodeIsInsertedAsWritten)
{
    EXPECT_EQ(composition.Personalise("%FULL_NAME% / %FULL_NAME%", "Joe %FULL_NAME%", "", "", "", ""),
              "Joe %FULL_NAME% / Joe %FULL_NAME%");
    // Nor does a later code find itself in an earlier one's value.
    EXPECT_EQ(composition.Personalise("%FULL_NAME% at %COMPANY%", "%COMPANY%", "", "", "Acme", ""),
              "%COMPANY% at Acme");
}

TEST_F(Personalising, AHiddenCopyBatchShowsTheDefaultsAndNoAddress)
{
    settings.DefaultFullName = "Member";
    settings.DefaultCompany = "your company";
    EXPECT_EQ(composition.Personalise("%FULL_NAME% <%EMAIL%> of %COMPANY% %SURNAME%.", "", "", "", "", ""),
              "Member <> of your company .");
}

TEST_F(Personalising, TheDateIsTheDayAloneWithoutATime)
{
    const QString dated = ReplaceFieldCodes("Sent %DATE%.", {}, settings, QDate(2026, 12, 24));
    EXPECT_TRUE(dated.contains("24")) << qPrintable(dated);
    EXPECT_FALSE(dated.contains(':') || dated.contains("%DATE%")) << qPrintable(dated);
}

TEST_F(Personalising, AMessageWithoutFieldsIsLeftAlone)
{
    composition.MessageIsPersonalised = false;
    EXPECT_EQ(composition.Personalise("Dear %FIRST_NAME%", "Ann Lee", "Ann", "Lee", "", ""), "Dear %FIRST_NAME%");
}

TEST_F(Personalising, ARelayedRecipientIsFoundInTheSendListWhateverItsLetterCase)
{
    QTemporaryDir dir;
    SqliteConnection connection;
    ScriptedUi ui;
    SendListTable list(connection, dir.path());
    ASSERT_TRUE(list.CreateSendMailTable(ui));
    list.insertOrIgnore({"zoë@example.org", "Zoë Brandt", "Zoë", "Brandt", "Acme", false, {}});
    list.insertOrIgnore({"max@example.org", "Max Weber", "Max", "Weber", "", false, {}});

    const QString text = "Dear %FIRST_NAME% %SURNAME% of %COMPANY% (%EMAIL%)";
    EXPECT_EQ(composition.PersonaliseForAddress(text, "\"Brandt, Zoë\" <ZOË@Example.org>", list),
              "Dear Zoë Brandt of Acme (ZOË@Example.org)");
    EXPECT_EQ(composition.PersonaliseForAddress(text, "stranger@example.org", list), text);
    ASSERT_TRUE(list.find("MAX@EXAMPLE.ORG"));
    EXPECT_EQ(list.find("MAX@EXAMPLE.ORG")->Name, "Max Weber");
    EXPECT_FALSE(list.find("max@example"));
}

}  // namespace
