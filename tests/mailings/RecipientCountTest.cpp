#include "mailings/RecipientChoice.h"
#include "mailings/RecipientCount.h"

#include <gtest/gtest.h>

TEST(RecipientCount, ABatchThatDoesNotDivideEvenlyAddsOneMoreEmail)
{
    RecipientCountInput input;
    input.number = 501;
    input.recipientsPerMessage = 250;
    input.accurate = true;
    input.description = RecipientsDescription(RecipientChoice::All, "Contacts from Current Search");
    input.extraTo = {"office@example.test"};
    const RecipientCountTexts texts = ShowRecipientCount(input);
    EXPECT_EQ(texts.countLine, "Details: 501 Unique Recipients,  250 Recip. per E-mail,  3 E-mails");
    // Batches go hidden: the description names the BCC line, the extra To stays alone.
    EXPECT_EQ(texts.bcc, "All Database Contacts");
    EXPECT_EQ(texts.to, "office@example.test");

    input.number = 500;
    input.accurate = false;
    EXPECT_EQ(ShowRecipientCount(input).countLine, "Estimated: 500 Recipients,  250 Recip. per E-mail,  2 E-mails");
}

TEST(RecipientCount, OnePerMessageNamesTheRecipientsOnToFollowedByTheExtras)
{
    RecipientCountInput input;
    input.number = 7;
    input.recipientsPerMessage = 1;
    input.description = RecipientsDescription(RecipientChoice::Selection, "Contacts from Current Search");
    input.extraTo = {"a@example.test", "b@example.test"};
    input.extraCC = {"c@example.test", "d@example.test"};
    const RecipientCountTexts texts = ShowRecipientCount(input);
    EXPECT_EQ(texts.countLine, "Estimated: 7 Recipients,  1 Recip. per E-mail,  7 E-mails");
    EXPECT_EQ(texts.to, "Contacts from Current Search, a@example.test, b@example.test");
    EXPECT_EQ(texts.cc, "c@example.test, d@example.test");
    EXPECT_EQ(texts.bcc, "");

    input.relayServer = true;  // the relay server sends neither extra list
    const RecipientCountTexts relay = ShowRecipientCount(input);
    EXPECT_EQ(relay.to, "Contacts from Current Search");
    EXPECT_EQ(relay.cc, "");
}

TEST(RecipientCount, ABrokenCountPerMessageNeverDividesByZero)
{
    RecipientCountInput input;
    input.number = 3;
    input.recipientsPerMessage = 0;
    input.description = RecipientsDescription(RecipientChoice::Custom, {});
    const RecipientCountTexts texts = ShowRecipientCount(input);
    EXPECT_EQ(texts.countLine, "Estimated: 3 Recipients,  1 Recip. per E-mail,  3 E-mails");
    EXPECT_EQ(texts.to, "Manually Entered Contacts");
}
