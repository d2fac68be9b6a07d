#include "logs/Logs.h"
#include "mailings/ui/TdlgSendMail.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"

#include <QCheckBox>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(SendMailDialog, ANewMessageStartsAboveTheSignatureAndEscapeAsksBeforeTheMessageIsLost)
{
    Settings settings;
    settings.Signature = {"--", "The Garden Club"};
    settings.chkhtmlchecked = true;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    ScriptedUi ui;
    TdlgSendMail dialog({settings, logs, ui, {}, {}});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Send message to your mailing list");
    auto* editor = dialog.findChild<QTextEdit*>("Editor");
    auto* html = dialog.findChild<QCheckBox*>("chkHTML");
    ASSERT_TRUE(editor && html);
    EXPECT_EQ(editor->toPlainText(), "\n--\nThe Garden Club");
    EXPECT_TRUE(html->isChecked());

    QTest::keyClick(&dialog, Qt::Key_Escape);  // No: the message stays
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts().last(), "Are you sure that you want to close and loose the current message?");
    html->click();
    ui.answer(Ui::Answer::Yes);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(settings.chkhtmlchecked);  // the next message starts as this one ended
}
