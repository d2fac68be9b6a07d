#include "MainWindowFixture.h"
#include "reports/ui/EntriesGrid.h"
#include "store/Database.h"
#include "store/EntriesTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

namespace {
struct ListWindow : MainWindowFixture {
    void show()
    {
        MainWindowFixture::show();
        session.settings.Cats = {"default", "news", "O'Brien"};
        add("ann@example.test", "Ann Jürgens", "news", 0);
        add("bert@example.test", "BERT", "default", 7);
        add("cleo@example.test", "Cleo", "O'Brien", 2);
        ui.answers.clear();
        ui.shown.clear();
    }
    void add(const QString& item, const QString& name, const QString& group, int bounces)
    {
        Entry e;
        e.Item = item;
        e.Name = name;
        e.Category = group;
        e.Bounces = bounces;
        session.db.database().entries().insert(e);
        session.db.setEntryCount(session.db.entryCount() + 1);
    }
    EntriesGrid* grid() const { return find<EntriesGrid>("dxDBGrid1"); }
    QStringList shownItems() const
    {
        QStringList items;
        for (int r = 0; r < grid()->model()->rowCount(); ++r)
            items << grid()->model()->index(r, 0).data().toString();
        return items;
    }
    QString countLine() const { return find<QLabel>("lblRecordCount")->text(); }
    void tab(int t) { find<QTabBar>("tbcDatabase")->setCurrentIndex(t); }
};
}  // namespace

TEST(ListViewWindow, GroupTicksFilterOnceIdleAndTheCountLineKeepsTheTotal)
{
    ListWindow w;
    w.show();
    w.tab(1);
    EXPECT_EQ(w.countLine(), "  3 Records");
    w.tab(2);
    auto* groups = w.find<QListWidget>("lbxGroups");
    ASSERT_EQ(groups->count(), 3);
    groups->item(1)->setCheckState(Qt::Checked);
    groups->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(w.shownItems().size(), 3);  // not yet: the filter follows when idle
    QTRY_COMPARE(w.shownItems(), QStringList({"ann@example.test", "cleo@example.test"}));
    EXPECT_EQ(w.countLine(), "  Found 2 Records.  Total DB Records: 3");
    w.find<QRadioButton>("rdbHideGroups")->click();
    EXPECT_EQ(w.shownItems(), QStringList({"bert@example.test"}));
    EXPECT_EQ(w.find<QLabel>("lblModeEntries")->text(), "Contacts excluding those from Selected Groups");
    // Added meanwhile by another copy: the total stays the last unfiltered count.
    w.add("dora@example.test", "Dora", "default", 0);
    w.controller.UpdateDisplay(true);
    EXPECT_EQ(w.countLine(), "  Found 2 Records.  Total DB Records: 3");
}

TEST(ListViewWindow, SearchAndSearchWithinResults)
{
    ListWindow w;
    w.show();
    w.tab(3);
    w.find<QComboBox>("cmbSearchField")->setCurrentIndex(2);  // "Full Name"
    auto* text = w.find<QLineEdit>("edtSearch");
    text->setText("JÜRGEN");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(w.shownItems(), QStringList({"ann@example.test"}));
    EXPECT_TRUE(w.visible("btnSearchWithin"));
    text->setText("e");
    w.find<QPushButton>("btnSearch")->click();
    EXPECT_EQ(w.shownItems().size(), 3);
    w.find<QCheckBox>("chkMatchCase")->setChecked(true);
    text->setText("E");
    w.find<QPushButton>("btnSearchWithin")->click();
    EXPECT_EQ(w.shownItems(), QStringList({"bert@example.test"}));
    // The hits outlive a tab change.
    w.tab(1);
    w.tab(3);
    EXPECT_EQ(w.shownItems(), QStringList({"bert@example.test"}));
}

TEST(ListViewWindow, AnOtherViewsButtonWorksOnTheSelectedRows)
{
    ListWindow w;
    w.show();
    w.tab(4);
    auto* views = w.find<QComboBox>("cmbOtherSearch");
    views->setCurrentIndex(3);  // frequent bounces: above 5 at the default limit of 10
    EXPECT_EQ(w.shownItems(), QStringList({"bert@example.test"}));
    auto* select = w.find<QPushButton>("btnSelect");
    EXPECT_EQ(select->text(), "Delete Entry");
    w.grid()->selectAll();
    w.ui.answer(Ui::Answer::Yes);
    select->click();
    EXPECT_TRUE(w.ui.sawText("Are you sure you want to delete the 1 selected entries?"));
    EXPECT_TRUE(w.shownItems().isEmpty());
    EXPECT_EQ(w.session.db.database().entries().count(), 2);

    views->setCurrentIndex(1);  // the last seven days: no buttons
    EXPECT_FALSE(w.visible("btnSelect"));
    EXPECT_FALSE(w.visible("btnSelectAll"));
}

TEST(ListViewWindow, RowCommandsDoNothingOnTheInformationTab)
{
    ListWindow w;
    w.show();
    w.tab(1);
    w.grid()->selectAll();
    w.tab(0);
    w.find<QAction>("mkTag")->trigger();
    int tagged = 0;
    w.session.db.database().entries().walk([&](const Entry& e) {
        tagged += e.Tagged;
        return true;
    });
    EXPECT_EQ(tagged, 0);
    w.tab(1);
    w.grid()->selectAll();
    w.find<QAction>("mkTag")->trigger();
    EXPECT_EQ(w.ui.progressCaptions.back(), "Setting the Tag");
}

TEST(ListViewWindow, TheSendingRightsAreTickedAfterTheCurrentEntry)
{
    ListWindow w;
    w.show();
    w.session.settings.UserSending = true;
    Entry bert = *w.session.db.database().entries().locate("bert@example.test");
    bert.SendRights = false;
    w.session.db.database().entries().post(bert);
    w.tab(1);
    w.controller.UpdateDisplay(true);
    auto* menu = w.find<QMenu>("mkEdit");
    const int bertRow = int(w.shownItems().indexOf("bert@example.test"));
    for (const auto& [row, canSend] : {std::pair{bertRow, false}, std::pair{(bertRow + 1) % 3, true}}) {
        w.grid()->setCurrentIndex(w.grid()->model()->index(row, 0));
        emit menu->aboutToShow();
        EXPECT_EQ(w.find<QAction>("mkCanSend")->isChecked(), canSend);
        EXPECT_EQ(w.find<QAction>("mkCannotSend")->isChecked(), !canSend);
        EXPECT_TRUE(w.find<QAction>("mkCanSend")->isVisible());
    }
}
