#include "MainWindowFixture.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"
#include "store/StatisticsFigures.h"
#include "store/TableSchema.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Window : MainWindowFixture {
    void show()
    {
        MainWindowFixture::show();
        ui.answers.clear();
    }
    QString text(const QString& label) const { return find<QLabel>(label)->text(); }
    EntriesTable& entries() { return session.db.database().entries(); }
    qint64 add(const QString& address, int bounces)
    {
        Entry e;
        e.Item = address;
        e.Category = "default";
        e.Bounces = bounces;
        const qint64 index = entries().insert(e);
        session.db.setEntryCount(session.db.entryCount() + 1);
        return index;
    }
    void dayRow(const QDate& day, int subscribes, int total)
    {
        Statement& insert = session.db.database().connection().cached(
            "INSERT INTO " + TableSchema::table(TableId::Statistics).sqlName
            + " (Date, Subscribes, Unsubscribes, Bounces, Total) VALUES (?, ?, 0, 0, ?)");
        insert.bind(1, day);
        insert.bind(2, subscribes);
        insert.bind(3, total);
        insert.run();
        insert.reset();
    }
    // Shows the whole list and selects the given grid rows.
    QTableView* selectRows(const QList<int>& rows)
    {
        find<QTabBar>("tbcDatabase")->setCurrentIndex(1);
        auto* grid = find<QTableView>("dxDBGrid1");
        grid->clearSelection();
        for (int row : rows)
            grid->selectionModel()->select(grid->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        grid->selectionModel()->setCurrentIndex(grid->model()->index(rows.value(0), 0),
                                                QItemSelectionModel::NoUpdate);
        return grid;
    }
    void trigger(const QString& action)
    {
        auto* a = find<QAction>(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        a->trigger();
    }
};
}  // namespace

TEST(MainWindowStatistics, SevenDayFiguresAndListSizeBars)
{
    Window w;
    w.show();
    const QDate today = QDate::currentDate();
    w.dayRow(today.addDays(-14), 5, 3);  // outside the week: counts only as a bar
    w.dayRow(today.addDays(-7), 1, 4);   // the total the week's movement starts from
    for (int i = 0; i < 6; ++i)
        w.add(QString("m%1@example.test").arg(i), 0);
    w.session.statistics.AddStatRecord(StatSubscribe, QString(), "default");
    w.session.statistics.AddStatRecord(StatSubscribe, QString(), "default");
    w.session.statistics.AddStatRecord(StatUnsubscribe, QString(), QString());
    w.session.statistics.AddStatRecord(StatBounce, QString(), QString());

    EXPECT_EQ(w.text("lblSubscribes"), "2");
    EXPECT_EQ(w.text("lblUnsubscribes"), "1");
    EXPECT_EQ(w.text("lblBounces"), "1");
    EXPECT_EQ(w.text("lblMovement"), "+2");
    EXPECT_EQ(w.text("lblEntries"), "6");

    QChart* chart = w.find<QChartView>("chtListSize")->chart();
    ASSERT_EQ(chart->series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(chart->series().front());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    QBarSet* set = bars->barSets().front();
    ASSERT_EQ(set->count(), 3);
    EXPECT_EQ(set->at(0), 3);
    EXPECT_EQ(set->at(1), 4);
    EXPECT_EQ(set->at(2), 6);
    auto* days = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->categories().value(2), QLocale::system().toString(today, QLocale::ShortFormat));
}

// The value axis's labels as drawn, from the bottom up.
QStringList countAxisLabels(QChartView& view)
{
    view.resize(480, 300);
    // An axis that a refresh replaced takes its labels with it once deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QChart* chart = view.chart();
    QList<std::pair<qreal, QString>> drawn;
    for (QGraphicsItem* item : view.scene()->items()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (text && text->isVisible() && !text->toPlainText().isEmpty()
            && text->sceneBoundingRect().right() <= chart->plotArea().left() + 1)
            drawn.append({-text->sceneBoundingRect().center().y(), text->toPlainText()});
    }
    std::sort(drawn.begin(), drawn.end());
    QStringList labels;
    for (const auto& [height, label] : drawn)
        labels << label;
    return labels;
}

TEST(MainWindowStatistics, TheListSizeAxisCountsInWholeNumbers)
{
    Window w;
    w.show();
    auto* view = w.find<QChartView>("chtListSize");
    EXPECT_EQ(countAxisLabels(*view), (QStringList{"0", "1"}));

    const QDate today = QDate::currentDate();
    w.dayRow(today.addDays(-21), 5, 1234567);
    w.dayRow(today.addDays(-14), 5, 3);
    w.window->refreshInformation();
    const QStringList labels = countAxisLabels(*view);
    ASSERT_GE(labels.size(), 2);
    EXPECT_LE(labels.size(), 6) << labels.join(", ").toStdString();
    qint64 previous = -1;
    for (const QString& label : labels) {
        bool whole = false;
        const qint64 value = label.toLongLong(&whole);
        EXPECT_TRUE(whole) << label.toStdString();
        EXPECT_GT(value, previous) << labels.join(", ").toStdString();
        previous = value;
    }
    EXPECT_EQ(labels.first(), "0");
    EXPECT_GE(previous, 1234567);
}

TEST(MainWindowStatistics, UnreadableTableShowsEmptyFigures)
{
    Window w;
    w.show();
    w.session.statistics.AddStatRecord(StatSubscribe, QString(), "default");
    EXPECT_EQ(w.text("lblSubscribes"), "1");
    w.session.db.database().connection().exec(
        "DROP TABLE " + TableSchema::table(TableId::Statistics).sqlName);
    w.window->refreshInformation();
    EXPECT_EQ(w.text("lblSubscribes"), "");
    EXPECT_EQ(w.text("lblMovement"), "");
    auto* bars = qobject_cast<QBarSeries*>(
        w.find<QChartView>("chtListSize")->chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->barSets().front()->count(), 0);
}

TEST(MainWindowSelection, ResetsTheBounceCountOfTheSelectedRowsOnly)
{
    Window w;
    w.show();
    const qint64 a = w.add("a@example.test", 4);
    const qint64 b = w.add("b@example.test", 2);
    const qint64 c = w.add("c@example.test", 7);
    w.selectRows({0, 2});
    w.trigger("mkResetBounce");
    EXPECT_EQ(w.entries().byIndex(a)->Bounces, 0);
    EXPECT_EQ(w.entries().byIndex(b)->Bounces, 2);
    EXPECT_EQ(w.entries().byIndex(c)->Bounces, 0);
    // The grid was read again after the change.
    EXPECT_EQ(w.find<QTableView>("dxDBGrid1")->model()->index(2, 3).data().toInt(), 0);

    w.selectRows({1});
    w.trigger("ResetBounceCountforallEntries1");
    EXPECT_EQ(w.entries().byIndex(b)->Bounces, 0);
}

TEST(MainWindowSelection, MovesTheSelectedRowsToTheBlockedList)
{
    Window w;
    w.show();
    w.add("Keep@example.test", 0);
    w.add("One@Example.test", 0);
    w.add("two@example.test", 0);
    QTableView* grid = w.selectRows({1, 2});
    w.ui.answer(Ui::Answer::Yes);
    w.trigger("mkaddtonever");
    EXPECT_TRUE(w.ui.sawText("Are you sure you want to move the 2 selected entries to your never "
                             "send list?"));
    EXPECT_EQ(w.entries().count(), 1);
    EXPECT_TRUE(w.entries().locate("Keep@example.test").has_value());
    EXPECT_TRUE(w.session.settings.Never.contains("one@example.test"));
    EXPECT_TRUE(w.session.settings.Never.contains("two@example.test"));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(w.text("lblEntries"), "1");
}

TEST(MainWindowSelection, ChangesTheGroupOfTheSelectionThroughTheChooser)
{
    Window w;
    w.show();
    w.session.settings.Cats = {"default", "news"};
    const qint64 a = w.add("a@example.test", 0);
    const qint64 b = w.add("b@example.test", 0);
    w.selectRows({1});
    w.ui.chosenGroups.push_back(QString("news"));
    w.trigger("mkChangeCategory");
    EXPECT_EQ(w.entries().byIndex(a)->Category, "default");
    EXPECT_EQ(w.entries().byIndex(b)->Category, "news");
    EXPECT_EQ(w.find<QTableView>("dxDBGrid1")->model()->index(1, 2).data().toString(), "news");
}

TEST(MainWindowSelection, RowActionsWithoutASelectionDoNothing)
{
    Window w;
    w.show();
    w.add("a@example.test", 3);
    w.find<QTabBar>("tbcDatabase")->setCurrentIndex(1);
    w.find<QTableView>("dxDBGrid1")->clearSelection();
    const auto before = w.ui.shown.size();
    w.trigger("mkaddtonever");
    w.trigger("mkResetBounce");
    EXPECT_EQ(w.ui.shown.size(), before);
    EXPECT_EQ(w.entries().locate("a@example.test")->Bounces, 3);
}
