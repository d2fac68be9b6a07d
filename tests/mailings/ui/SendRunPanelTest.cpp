#include "logs/Logs.h"
#include "mail/MailStores.h"
#include "mailings/ClockPause.h"
#include "mailings/SendDialogRun.h"
#include "mailings/SendLogTable.h"
#include "mailings/ui/SendRunPanel.h"
#include "mailings/ui/TdlgSendMail.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/SendListTable.h"
#include "store/SqliteConnection.h"
#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The send dialog as a person uses it: typed recipients, "Accurate Count", then
// "Send Message!" to a real SMTP server on loopback.
TEST(SendRunPanel, TypedRecipientsAreCountedSentLoggedAndTheDialogCloses)
{
    if (!SmtpSink::installed())
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    SmtpSink sink;
    ASSERT_TRUE(sink.started());
    QTemporaryDir dir;
    Database::createMissingTables(dir.path(), TableScope::All);
    Database db;
    db.setFolder(dir.path(), false, false);
    db.openTable(TableId::Entries);
    db.openTable(TableId::Log);
    Settings settings;
    settings.EmailMethod = 3;
    settings.MessageRecipientCount = 1;
    settings.SMTPHost = "127.0.0.1";
    settings.SMTPPort = sink.account().port;
    settings.SMTPSecurity = "None";
    settings.SMTPEmail = "owner@list.test";
    settings.Check4InternetConnection = false;
    settings.chkhtmlchecked = false;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    ScriptedUi ui;
    TdmMailSend mailSend(settings, logs, ui, [&] { return dir.path() + "/"; }, [] { return MailStores({}, {}); });
    ClockPause pause([](int) {});
    SendListTable table(db.connection(), dir.path());
    ASSERT_TRUE(table.CreateSendMailTable(ui));
    const MailingServices services{db.connection(), dir.path() + "/", settings, mailSend, ui, pause};
    SendDialogRun run(services, table);
    TdlgSendMail dialog({settings, logs, ui, {}, {}});
    SendRunPanel::View view;
    // The options dialog's "Sending Mail" page, as a person switching between one
    // message per recipient and hidden copies.
    view.sendingOptions = [&] { settings.MessageRecipientCount = settings.MessageRecipientCount == 1 ? 250 : 1; };
    auto* panel = new SendRunPanel(dialog, run, services, settings, logs, view);
    dialog.runArea()->addWidget(panel);
    dialog.show();

    dialog.findChild<QLineEdit*>("edtMessageSubject")->setText("Hello %FULL_NAME%");
    dialog.findChild<QTextEdit*>("Editor")->setPlainText("The garden opens on Sunday.");
    dialog.findChild<QRadioButton*>("rdbCustom")->click();
    dialog.findChild<QPlainTextEdit*>("memCustom")->setPlainText("Ann Lee <ann@x.test>\nbob@x.test\nANN@x.test\n");
    auto* count = dialog.findChild<QLabel*>("lblRecipientCount");
    EXPECT_TRUE(count->text().startsWith("Estimated: 3 Recipients")) << count->text().toStdString();
    emit dialog.findChild<QLabel*>("lnkCalculate")->linkActivated("#");
    EXPECT_EQ(count->text(), "Details: 2 Unique Recipients,  1 Recip. per E-mail,  2 E-mails");
    auto* sendingOptions = dialog.findChild<QPushButton*>("btnSendingOptions");
    sendingOptions->click();
    EXPECT_TRUE(count->text().endsWith(" 1 E-mails")) << count->text().toStdString();
    sendingOptions->click();
    EXPECT_EQ(count->text(), "Details: 2 Unique Recipients,  1 Recip. per E-mail,  2 E-mails");

    dialog.findChild<QPushButton*>("btnSend")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QList<SinkMessage> taken = sink.messages();
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken[0].recipients, QStringList{"ann@x.test"});
    EXPECT_TRUE(taken[0].bytes.contains("Hello Ann Lee")) << taken[0].bytes.constData();
    EXPECT_TRUE(ui.texts().constLast().startsWith("Your e-mails to 2 recipients have been sent via your ISP's SMTP "
                                                  "server."));
    const QList<SendLogRecord> log = SendLogTable(db.connection()).all();
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0].Recipients, "Manually Entered Contacts");
    EXPECT_EQ(log[0].Body, "The garden opens on Sunday.");
    EXPECT_TRUE(run.tableKept());
}

}  // namespace
