#include "sending/SendErrors.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

TEST(SendErrors, AbortCancelsOnlyWhenBothQuestionsAgreeAndHiddenErrorsStayHidden)
{
    ScriptedUi ui;
    SendFlags flags;
    // Abort, then "No" to the dialog's own question: back to OK, the run goes on.
    ui.sendErrorAnswers.push_back({Ui::SendErrorChoice::Abort, false});
    ui.answer(Ui::Answer::No);
    ShowSendError(ui, flags, "first");
    EXPECT_FALSE(flags.CancelRequested);
    EXPECT_FALSE(ui.sawText("Are you sure you want to cancel processing?"));

    ui.sendErrorAnswers.push_back({Ui::SendErrorChoice::Abort, true});
    ui.answer(Ui::Answer::Yes);
    ui.answer(Ui::Answer::Yes);
    ShowSendError(ui, flags, "second");
    EXPECT_TRUE(flags.CancelRequested);
    EXPECT_TRUE(ui.sawText("Are you sure you want to abort sending of your message?"));
    EXPECT_TRUE(ui.sawText("Are you sure you want to cancel processing?"));
    EXPECT_TRUE(flags.HideSendErrors);

    ShowSendError(ui, flags, "third");
    EXPECT_EQ(ui.sendErrors, QStringList({"first", "second"}));
}
