#include "mailings/SendLogTable.h"
#include "mailings/SendListModel.h"
#include "mailings/ui/TdlgAddRecip.h"
#include "mailings/ui/TdlgShowRecipients.h"
#include "mailings/ui/TdlgStaggerDelay.h"
#include "mailings/ui/TdlgViewMessage.h"
#include "support/SendListRows.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template <class W> W* child(QWidget& parent, const char* name)
{
    W* found = parent.findChild<W*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Once the modal file chooser is up, chooses the file in it.
void chooseFileWhenAsked(const QString& file)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, file] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        poll->deleteLater();
        poll->stop();
        chooser->selectFile(file);
        static_cast<QDialog*>(chooser)->accept();  // its own accept is protected
    });
    poll->start(10);
}

TEST(StaggerDelayDialog, CountsDownToBelowZeroThenSkipsAndCancelsAsAsked)
{
    ScriptedUi ui;
    TdlgStaggerDelay dialog(ui, nullptr, 10);
    EXPECT_EQ(dialog.windowTitle(), "Send Delay");
    int ticks = 0;
    QObject::connect(child<QTimer>(dialog, "tmrDelay"), &QTimer::timeout, [&] { ++ticks; });
    QString shownFirst;
    QTimer::singleShot(0, [&] { shownFirst = child<QLabel>(dialog, "lblSeconds")->text(); });
    EXPECT_EQ(dialog.pause(3), StaggerPause::Result::Continue);
    EXPECT_EQ(shownFirst, "3");
    EXPECT_EQ(ticks, 4);  // 3, 2, 1, 0 shown, then it ends: seconds + 1

    QTimer::singleShot(0, [&] { child<QPushButton>(dialog, "btnSkipAllDelays")->click(); });
    EXPECT_EQ(dialog.pause(100), StaggerPause::Result::SkipAll);

    // No to the question: the countdown goes on and ends by itself.
    ui.answer(Ui::Answer::No);
    ticks = 0;
    QTimer::singleShot(0, [&] { child<QPushButton>(dialog, "btnCancel")->click(); });
    EXPECT_EQ(dialog.pause(2), StaggerPause::Result::Continue);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(ui.texts(), QStringList{"Are you sure you want to cancel processing?"});

    ui.answer(Ui::Answer::Yes);
    QTimer::singleShot(0, [&] { child<QPushButton>(dialog, "btnCancel")->click(); });
    EXPECT_EQ(dialog.pause(100), StaggerPause::Result::Cancel);

    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.pause(100), StaggerPause::Result::Continue);
    EXPECT_EQ(ui.shown.size(), 2);
}

TEST(AddRecipientsPanel, ExtraAddressesFollowTheSendingMethodsRules)
{
    ScriptedUi ui;
    TdlgAddRecip::Options options;
    options.oneMessagePerRecipient = true;
    options.selectionAvailable = true;
    options.viewDescription = "Contacts from Current Search";
    TdlgAddRecip panel(ui, options);
    panel.show();
    QSignalSpy extras(&panel, &TdlgAddRecip::extrasChanged);
    QSignalSpy recipients(&panel, &TdlgAddRecip::recipientsChanged);
    EXPECT_EQ(panel.choice(), RecipientChoice::Selection);
    EXPECT_EQ(child<QRadioButton>(panel, "rdbSelection")->text(), "Contacts from Current Search");
    EXPECT_FALSE(child<QPushButton>(panel, "btnFromFolder")->isEnabled());  // no harvest given

    auto* to = child<QLineEdit>(panel, "edtTo");
    auto* cc = child<QLineEdit>(panel, "edtCC");
    auto* add = child<QPushButton>(panel, "btnAdd");
    add->click();
    EXPECT_EQ(ui.texts().last(), "Please enter the e-mail address that you want to add.");

    // Each message goes to one person on To: an extra To address is refused.
    QTest::keyClicks(to, "office@example.test");
    QTest::keyClick(to, Qt::Key_Return);
    EXPECT_EQ(ui.texts().last(), "You have selected the option to send a separate e-mail to each user.  If you wish "
                                 "to add an extra address to all outgoing messages, use the CC field.");
    cc->setText("board@example.test");
    add->click();
    EXPECT_EQ(panel.extraTo(), QStringList());
    EXPECT_EQ(panel.extraCC(), QStringList{"board@example.test"});
    EXPECT_EQ(cc->text(), "");
    EXPECT_EQ(extras.count(), 1);

    // The relay server sends every message alone: nothing extra at all.
    panel.setSendingMethod(true, true);
    cc->setText("treasurer@example.test");
    add->click();
    EXPECT_EQ(ui.texts().last(), "Extra addresses cannot be added when using the SMTP Server delivery option.");
    EXPECT_EQ(panel.extraCC(), QStringList{"board@example.test"});

    auto* lbxCC = child<QListWidget>(panel, "lbxCC");
    lbxCC->setCurrentRow(0);
    QTest::keyClick(lbxCC, Qt::Key_Delete);
    EXPECT_EQ(panel.extraCC(), QStringList());
    EXPECT_EQ(extras.count(), 2);

    EXPECT_EQ(recipients.count(), 0);
    child<QRadioButton>(panel, "rdbCustom")->click();
    EXPECT_EQ(recipients.count(), 1);
    EXPECT_TRUE(child<QWidget>(panel, "memCustom")->isEnabled());
}

// Ann's message was taken, Bob's refused, Cy's is still to go.
struct RecipientTable : TemporarySendList {
    RecipientTable()
    {
        add("ann@example.test", "Ann", SendOutcome::of(SendState::Accepted));
        add("bob@example.test", "Bob", SendOutcome::refused(550, "No such user"));
        add("cy@example.test", "", SendOutcome::of(SendState::Waiting));
    }
};

TEST(ShowRecipientsDialog, ShowsEachOutcomeSavesTheUnsentAndResendsToTheRefused)
{
    RecipientTable list;
    QStringList confirmed;
    bool resent = false;
    TdlgShowRecipients dialog(list.table, list.ui,
                              {[&](const QString& file) {
                                   confirmed << file;
                                   return true;
                               },
                               [&] { resent = true; }});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Messages Recipients");
    QAbstractItemModel* model = child<QTableView>(dialog, "tblRecipients")->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(SendListModel::MessageSent, Qt::Horizontal).toString(), "Message Sent");
    EXPECT_EQ(model->index(1, SendListModel::Outcome).data().toString(), "Refused (550 No such user)");

    const QString file = list.dir.filePath("unsent.txt");
    chooseFileWhenAsked(file);
    child<QPushButton>(dialog, "btnSaveUnsent")->click();
    EXPECT_EQ(confirmed, QStringList{file});
    EXPECT_EQ(QString::fromUtf8(readTestFile(file)), "Bob <bob@example.test>\ncy@example.test\n");

    auto* resend = child<QPushButton>(dialog, "btnResendRefused");
    ASSERT_TRUE(resend->isEnabled());
    resend->click();
    EXPECT_TRUE(resent);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(list.ui.shown.isEmpty());
}

TEST(ShowRecipientsDialog, NothingRefusedLeavesResendOff)
{
    RecipientTable list;
    list.table.setOutcome({"bob@example.test"}, SendOutcome::of(SendState::Accepted));
    TdlgShowRecipients dialog(list.table, list.ui, {{}, [] {}});
    EXPECT_FALSE(child<QPushButton>(dialog, "btnResendRefused")->isEnabled());
}

TEST(ViewMessageDialog, ShowsRichTextInterpretedAndCustomHtmlRendered)
{
    SendLogRecord record;
    EXPECT_EQ(TdlgViewMessage::cannotView(record), "No body or subject");
    record.Subject = "Spring meeting";
    record.Recipients = "All Database Contacts";
    record.RecipientCount = 42;
    record.Date = QDate(2026, 3, 1);
    record.Attachments = {"/tmp/agenda.pdf"};
    record.IsHTML = true;
    record.Body = R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 Dear members, \b bold\b0  news\par})";
    EXPECT_EQ(TdlgViewMessage::cannotView(record), "");
    {
        TdlgViewMessage dialog(record);
        EXPECT_EQ(child<QLineEdit>(dialog, "edtCount")->text(), "42");
        EXPECT_EQ(child<QListWidget>(dialog, "lbxAttachments")->item(0)->text(), "/tmp/agenda.pdf");
        auto* body = child<QTextBrowser>(dialog, "brwBody");
        EXPECT_EQ(body->toPlainText().trimmed(), "Dear members, bold news");
        EXPECT_NE(body->toHtml().indexOf("font-weight:700"), -1);  // interpreted, not shown as codes
        QTimer::singleShot(0, [&] { child<QPushButton>(dialog, "btnResend")->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    }

    record.CustomHTML = true;
    record.Body = "<html><body><p>Loaded <i>page</i></p></body></html>";
    QString page;
    {
        TdlgViewMessage dialog(record);
        auto* body = child<QTextBrowser>(dialog, "brwBody");
        page = body->source().toLocalFile();
        EXPECT_FALSE(page.isEmpty());
        EXPECT_EQ(body->toPlainText().trimmed(), "Loaded page");
        QTimer::singleShot(0, [&] { child<QPushButton>(dialog, "btnClose")->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFile::exists(page));  // the page goes with the dialog

    record.IsHTML = false;
    record.CustomHTML = false;
    record.Body = "<b>typed as text</b>";
    TdlgViewMessage plain(record);
    EXPECT_EQ(child<QTextBrowser>(plain, "brwBody")->toPlainText(), "<b>typed as text</b>");
}

}  // namespace
