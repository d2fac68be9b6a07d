#include "logs/Logs.h"
#include "sending/ui/MessageComposer.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// The composer in a window of its own, offscreen, with a scripted person answering.
class MessageComposerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.MessageRecipientCount = 250;
        composer = std::make_unique<MessageComposer>(MessageComposer::Services{settings, logs, ui, {}, {}});
        composer->show();
        composer->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(composer.get()));
        editor = composer->findChild<QTextEdit*>("Editor");
        subject = composer->findChild<QLineEdit*>("edtMessageSubject");
        pages = composer->findChild<QTabWidget*>("pgcMessage");
        preview = composer->findChild<QTextBrowser*>("brwPreview");
        html = composer->findChild<QCheckBox*>("chkHTML");
        ASSERT_TRUE(editor && subject && pages && preview && html);
    }
    void TearDown() override
    {
        if (composer)
            composer->finish();
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeTestFile(path, bytes);
        return path;
    }

    QTemporaryDir dir;
    Settings settings;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    ScriptedUi ui;
    std::unique_ptr<MessageComposer> composer;
    QTextEdit* editor = nullptr;
    QLineEdit* subject = nullptr;
    QTabWidget* pages = nullptr;
    QTextBrowser* preview = nullptr;
    QCheckBox* html = nullptr;
};

TEST_F(MessageComposerTest, RichTextBecomesAnHtmlBodyWithItsImageAttachedAndItsLinkAndPlainTextDropsTheCodes)
{
    html->click();
    EXPECT_TRUE(pages->isTabVisible(1));
    QTextCursor cursor = editor->textCursor();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Big news", bold);
    cursor.insertText(" & more ", QTextCharFormat());
    editor->setTextCursor(cursor);
    const QString unused = file("unused.gif", "GIF89a-one");
    const QString picture = file("picture.gif", "GIF89a-two");
    composer->insertImageFile(unused);
    editor->document()->find("%IMAGE1%").removeSelectedText();  // the first image is taken out again
    composer->insertImageFile(picture);
    composer->insertLink("http://", "example.org/offer", "our offer");

    const QString body = composer->GetMessageBody();
    EXPECT_TRUE(body.contains(QRegularExpression("<B>(<FONT[^>]*>)*Big news</"))) << body.toStdString();
    EXPECT_TRUE(body.contains("&amp; more")) << body.toStdString();
    EXPECT_TRUE(body.contains("<img src=\"picture.gif\" border=\"0\">")) << body.toStdString();
    EXPECT_TRUE(body.contains("<A HREF=\"http://example.org/offer\">our offer</A>")) << body.toStdString();
    EXPECT_FALSE(body.contains("%IMAGE")) << body.toStdString();
    EXPECT_EQ(composer->trueAttachments(), QStringList{picture});

    pages->setCurrentIndex(1);  // the preview finds the image beside its page
    EXPECT_TRUE(preview->toHtml().contains("picture.gif"));
    EXPECT_TRUE(QFile::exists(QDir::temp().filePath("picture.gif")));
    composer->finish();
    EXPECT_FALSE(QFile::exists(QDir::temp().filePath("picture.gif")));

    html->click();
    EXPECT_FALSE(pages->isTabVisible(1));
    EXPECT_EQ(editor->toPlainText(), "Big news & more our offer");
    EXPECT_TRUE(composer->trueAttachments().isEmpty());
    EXPECT_EQ(composer->GetMessageBody(), "Big news & more our offer");
}

TEST_F(MessageComposerTest, LoadedHtmlStandsByItselfUntilThePersonAgreesToLoseIt)
{
    editor->setPlainText("a draft");
    const QString page = file("page.HTM", "<HTML><BODY><P>Loaded page</P></BODY></HTML>");
    composer->loadFile(page);  // unanswered: No
    EXPECT_EQ(editor->toPlainText(), "a draft");
    EXPECT_EQ(ui.texts().last(),
              "Opening a file will erase all of the current text in your message editing area.  Are you sure you "
              "want to continue?");

    ui.answer(Ui::Answer::Yes);
    composer->loadFile(page);
    EXPECT_TRUE(html->isChecked());
    EXPECT_TRUE(editor->toPlainText().isEmpty());
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_TRUE(preview->toPlainText().contains("Loaded page"));
    EXPECT_TRUE(composer->GetMessageBody().contains("<P>Loaded page</P>"));  // not regenerated from the editor

    pages->setCurrentIndex(0);  // No: back to the preview, the page kept
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_TRUE(ui.texts().last().endsWith("Are you sure you want to clear your custom HTML?"));
    ui.answer(Ui::Answer::Yes);
    pages->setCurrentIndex(0);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(composer->composition().CustomHTMLLoaded);

    // Rich text comes into the editor through the converter, formatted.
    composer->loadFile(file("letter.rtf", "{\\rtf1 Dear {\\b reader}\\par}"));
    EXPECT_EQ(editor->toPlainText().trimmed(), "Dear reader");
    QTextCursor bold = editor->document()->find("reader");
    EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(html->isChecked());

    ui.answer(Ui::Answer::Yes);
    composer->loadFile(dir.filePath("gone.txt"));
    EXPECT_TRUE(ui.texts().last().startsWith("Load Error: ")) << ui.texts().last().toStdString();
}

TEST_F(MessageComposerTest, AFieldGoesWhereTheCaretIsOnlyWhenOneCopyPerRecipientIsAccepted)
{
    subject->setFocus();
    subject->setText("News for ");
    QApplication::processEvents();
    composer->insertField("%FIRST_NAME%");  // No: several recipients per message stay, nothing inserted
    EXPECT_EQ(subject->text(), "News for ");
    ui.answer(Ui::Answer::Yes);
    composer->insertField("%FIRST_NAME%");
    EXPECT_EQ(subject->text(), "News for %FIRST_NAME%");
    EXPECT_EQ(QApplication::clipboard()->text(), "%FIRST_NAME%");
    EXPECT_EQ(composer->composition().RecipientsPerMessage, 1);
    EXPECT_EQ(settings.MessageRecipientCount, 250);  // the stored setting is not changed
}

TEST_F(MessageComposerTest, F7ChecksTheSubjectThenTheBody)
{
    QStringList asked;
    composer->decideSpelling = [&asked](const QString& word, const QStringList&) {
        asked << word;
        return SpellDecision{SpellDecision::Change, word == "Nwes" ? "News" : "offer"};
    };
    subject->setText("Nwes");
    editor->setPlainText("Our new offre.");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F7);
    if (ui.sawText("CVN was unable to access the spell checker of the spelling dictionaries."))
        GTEST_SKIP() << "no Hunspell dictionary installed";
    EXPECT_EQ(asked, QStringList({"Nwes", "offre"}));
    EXPECT_EQ(subject->text(), "News");
    EXPECT_EQ(editor->toPlainText(), "Our new offer.");
    EXPECT_EQ(ui.texts().last(), "Spell checking has been completed.");
}

}  // namespace
