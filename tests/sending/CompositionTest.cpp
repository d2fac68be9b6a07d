#include "sending/MessageComposition.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSalutationQuestion =
    "You are currently using the option of sending messages to multiple recipients, but you have entered custom "
    "salutation fields into your message.  To use this functionality separate e-mails need to be sent to each "
    "recipient.  Do you want to enable this now?";

QString formatQuestion(const QString& method)
{
    return "You are currently using an e-mail sending method which does not support HTML, however your current "
           "message is formatted with HTML (Rich Text formatting).  Do you CVN to change to the "
           + method + " method instead?\n\nNote:  You can change this setting later under View|Options, Sending.";
}

struct Composing : ::testing::Test {
    Settings settings;
    ScriptedUi ui;
    QTemporaryDir images;
    QTemporaryDir temp;
    QString image(const QString& name)
    {
        const QString path = images.filePath(name);
        writeTestFile(path, "GIF89a " + name.toUtf8());
        return path;
    }
};

TEST_F(Composing, AFieldInTheSubjectOnlyAsksForSingleMessagesAndNoStopsTheSend)
{
    MessageComposition composition(settings);
    EXPECT_EQ(composition.RecipientsPerMessage, 250);
    ui.answer(Ui::Answer::No);
    EXPECT_FALSE(composition.GetSalutationCheck(true, "Hello all", "News for %FIRST_NAME%", ui));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, kSalutationQuestion);
    EXPECT_EQ(ui.shown[0].buttons, Ui::Buttons::YesNo);
    EXPECT_EQ(composition.RecipientsPerMessage, 250);

    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(composition.GetSalutationCheck(true, "Hello all", "News for %FIRST_NAME%", ui));
    EXPECT_EQ(composition.RecipientsPerMessage, 1);
    EXPECT_EQ(settings.MessageRecipientCount, 250);  // for this message only
    EXPECT_TRUE(composition.GetSalutationCheck(true, "Hello all", "News for %FIRST_NAME%", ui));
    EXPECT_EQ(ui.shown.size(), 2);

    // A message whose codes were taken out again is no longer personalised.
    composition.takeRecipientsPerMessage();
    EXPECT_TRUE(composition.GetSalutationCheck(true, "Hello all", "News", ui));
    EXPECT_FALSE(composition.MessageIsPersonalised);
    EXPECT_EQ(ui.shown.size(), 2);
}

TEST_F(Composing, OnlyTheImagesStillReferredToAreAttached)
{
    MessageComposition composition(settings);
    composition.lbxAttachments = {"/home/me/report.pdf"};
    EXPECT_EQ(composition.insertImage(image("first.gif")), "%IMAGE1%");
    EXPECT_EQ(composition.insertImage(image("second.jpg")), "%IMAGE2%");
    EXPECT_EQ(composition.ConvertImageTags("<P>Look: %Image2%</P>", false),
              "<P>Look: <img src=\"second.jpg\" border=\"0\"></P>");
    EXPECT_EQ(composition.trueAttachments(), QStringList({"/home/me/report.pdf", images.filePath("second.jpg")}));
    EXPECT_TRUE(composition.lbxDeleteFiles.isEmpty());
}

TEST_F(Composing, TheFirstImageNeverTakesTheFrontOfTheTenth)
{
    MessageComposition composition(settings);
    for (int n = 1; n <= 10; ++n)
        composition.insertImage(image(QString("pic%1.gif").arg(n)));
    EXPECT_EQ(composition.ConvertImageTags("%IMAGE10%|%IMAGE1%0|%IMAGE11%", false),
              "<img src=\"pic10.gif\" border=\"0\">|<img src=\"pic1.gif\" border=\"0\">0|%IMAGE11%");
    EXPECT_EQ(composition.lbxUsedImages, QStringList({images.filePath("pic1.gif"), images.filePath("pic10.gif")}));
}

TEST_F(Composing, LinksBecomeAnchorsAndWhatTheyBringInIsNotReplacedAgain)
{
    MessageComposition composition(settings);
    composition.insertImage(image("logo.gif"));
    EXPECT_EQ(composition.insertLink("http://", "example.org/?a=1&b=\"%IMAGE1%\"", "our site"),
              "%LINK1%our site%LINKEND%");
    EXPECT_EQ(composition.insertLink("mailto:", "ann@example.org", "write"), "%LINK2%write%LINKEND%");
    EXPECT_EQ(composition.ConvertImageTags("See %LINK1%our site%LINKEND% or %LINK2%write%LINKEND%.", false),
              "See <A HREF=\"http://example.org/?a=1&amp;b=&quot;%IMAGE1%&quot;\">our site</A> or "
              "<A HREF=\"mailto:ann@example.org\">write</A>.");
    EXPECT_TRUE(composition.lbxUsedImages.isEmpty());
}

TEST_F(Composing, TurningHtmlOffKeepsTheLinkTexts)
{
    MessageComposition composition(settings);
    const QString text = "See " + composition.insertLink("http://", "example.org", "our site") + " and "
                         + composition.insertImage(image("logo.gif")) + ".";
    EXPECT_EQ(composition.switchHtmlOff(text), "See our site and .");
    EXPECT_TRUE(composition.lbxImageSource.isEmpty());
    EXPECT_TRUE(composition.lbxLinks.isEmpty());
    EXPECT_EQ(composition.insertImage(image("again.gif")), "%IMAGE1%");
}

TEST_F(Composing, APreviewCopiesItsImagesAndTheCopiesGoWhenComposingEnds)
{
    const QString original = image("photo.jpg");
    const QString alreadyThere = temp.filePath("chart.gif");
    writeTestFile(alreadyThere, "GIF89a chart");
    const QString copy = temp.filePath("photo.jpg");
    {
        MessageComposition composition(settings);
        composition.insertImage(original);
        composition.insertImage(alreadyThere);
        composition.ConvertImageTags("%IMAGE1% %IMAGE2%", true, temp.path());
        composition.ConvertImageTags("%IMAGE1% %IMAGE2%", true, temp.path());
        EXPECT_EQ(readTestFile(copy), "GIF89a photo.jpg");
        EXPECT_EQ(composition.lbxDeleteFiles, QStringList{copy});
    }
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(QFile::exists(original));
    EXPECT_TRUE(QFile::exists(alreadyThere));
}

TEST_F(Composing, AnHtmlMessageByTheSystemMailProgramOffersSmtpAndCancellingItsSettingsCancels)
{
    settings.EmailMethod = 0;
    settings.EmailSoftware = 5;
    MessageComposition composition(settings);
    int dialogs = 0;
    ui.answer(Ui::Answer::Ok);
    EXPECT_FALSE(composition.CheckSendingFormat(true, ui, [&] { return ++dialogs, false; }));
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, formatQuestion("SMTP"));
    EXPECT_EQ(ui.shown[0].buttons, Ui::Buttons::OkCancel);
    EXPECT_EQ(settings.EmailMethod, 0);

    ui.answer(Ui::Answer::Cancel);
    EXPECT_FALSE(composition.CheckSendingFormat(true, ui, [&] { return ++dialogs, true; }));
    EXPECT_EQ(dialogs, 1);

    ui.answer(Ui::Answer::Ok);
    EXPECT_TRUE(composition.CheckSendingFormat(true, ui, [&] { return ++dialogs, true; }));
    EXPECT_EQ(settings.EmailMethod, 3);
    EXPECT_TRUE(composition.CheckSendingFormat(true, ui, [&] { return ++dialogs, true; }));
    EXPECT_EQ(ui.shown.size(), 3);
}

TEST_F(Composing, WithTheMailAccountTheHtmlMethodOfTheAccountIsOffered)
{
    settings.EmailMethod = 1;
    settings.EmailSoftware = 1;
    MessageComposition composition(settings);
    EXPECT_TRUE(composition.CheckSendingFormat(false, ui, [] { return false; }));
    EXPECT_TRUE(ui.shown.isEmpty());
    ui.answer(Ui::Answer::Ok);
    EXPECT_TRUE(composition.CheckSendingFormat(true, ui, [] { return false; }));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, formatQuestion("mail account"));
    EXPECT_EQ(settings.EmailMethod, 2);
}

}  // namespace
