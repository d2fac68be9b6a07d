#include "MainWindowFixture.h"
#include "store/Database.h"
#include "store/EntriesTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

TEST(ExchangeMenu, SaveBackUpWritesEveryEntryBesideTheTablesAndTheWindowComesBack)
{
    MainWindowFixture w;
    w.show();
    Entry e;
    e.Item = "ann@example.test";
    e.Name = "Ann, the \"first\"";
    e.Category = "news";
    w.session.db.database().entries().insert(e);
    w.ui.shown.clear();

    auto* backUp = w.find<QAction>("mkSaveBackUp");
    ASSERT_NE(backUp, nullptr);
    EXPECT_EQ(backUp->shortcut(), QKeySequence("Ctrl+S"));
    backUp->trigger();

    const QString file = w.session.db.resolvedFolder() + "backup.csv";
    EXPECT_TRUE(w.ui.sawText("Your backup file has been saved as " + file +
                             ".  You can view it with Excel or Notepad"));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("E-mail,Group,Full Name,"));
    EXPECT_TRUE(lines[1].startsWith("ann@example.test,news,\"Ann, the \"\"first\"\"\","));
    EXPECT_TRUE(w.window->isEnabled());
}

TEST(ExchangeMenu, CtrlVOpensManualEntryWithTheClipboardPastedAndTheMenuWithoutIt)
{
    MainWindowFixture w;
    w.show();
    QApplication::clipboard()->setText("ann@example.test\nbert@example.test");
    QStringList seen;
    auto readAndClose = [&seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "TdlgEnterMore");
        seen << dialog->findChild<QPlainTextEdit*>("memEntries")->toPlainText();
        dialog->reject();
    };
    QTimer::singleShot(0, readAndClose);
    QTest::keyClick(w.window.get(), Qt::Key_V, Qt::ControlModifier);
    QTimer::singleShot(0, readAndClose);
    w.find<QAction>("mkManualEntry")->trigger();
    EXPECT_EQ(seen, QStringList({"ann@example.test\nbert@example.test", ""}));
    EXPECT_TRUE(w.window->isEnabled());
}
