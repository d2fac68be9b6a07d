#include "MainWindowFixture.h"
#include "store/Database.h"
#include "store/EntriesTable.h"

#include <QAction>
#include <QFile>
#include <QMenu>

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
