#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowRoutines, FocusGoesOnlyToEnabledShowingWidgets)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* disabled = new QLineEdit;
    auto* hidden = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(disabled);
    layout->addWidget(hidden);
    disabled->setEnabled(false);
    hidden->hide();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    FocusIfPossible(first);
    EXPECT_TRUE(first->hasFocus());
    FocusIfPossible(disabled);
    FocusIfPossible(hidden);
    FocusIfPossible(nullptr);
    EXPECT_TRUE(first->hasFocus());
}

TEST(WindowRoutines, SelectAllItemsOnlyInMultiSelectLists)
{
    QListWidget list;
    list.addItems({"a", "b", "c"});
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    SelectAllItems(&list);
    EXPECT_EQ(list.selectedItems().size(), 0);

    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    SelectAllItems(&list);
    EXPECT_EQ(list.selectedItems().size(), 3);
}

TEST(WindowRoutines, ScaleForScreenUsesTheScreensResolution)
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    EXPECT_EQ(ScaleForScreen(96), qRound(dpi));
    EXPECT_EQ(ScaleForScreen(10), qRound(10 * dpi / 96.0));
    EXPECT_EQ(ScaleForScreen(0), 0);
}
