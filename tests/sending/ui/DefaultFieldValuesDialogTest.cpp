#include "sending/ui/TdlgDefaultFieldValues.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QTableWidget* grid() { return QApplication::activeModalWidget()->findChild<QTableWidget*>("grdDefaultFieldValues"); }

void press(QDialogButtonBox::StandardButton which)
{
    QApplication::activeModalWidget()->findChild<QDialogButtonBox*>("btnsDefaultFieldValues")->button(which)->click();
}

// Types into a value cell as a person does, leaving the cell's editor open.
void typeInto(int row, const QString& text)
{
    QTableWidget* table = grid();
    table->setCurrentCell(row, 1);
    table->editItem(table->item(row, 1));
    auto* editor = table->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
}

TEST(DefaultFieldValuesDialog, OkStoresWhatWasTypedAndCancelNothing)
{
    Settings settings;
    settings.DefaultCompany = "your company";
    QTimer::singleShot(0, [] {
        QTableWidget* table = grid();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Field");
        EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Default Value");
        QStringList fields;
        for (int row = 0; row < table->rowCount(); ++row)
            fields << table->item(row, 0)->text();
        EXPECT_EQ(fields, QStringList({"Full Name", "First Name", "Surname", "Company"}));
        EXPECT_EQ(table->item(3, 1)->text(), "your company");
        EXPECT_FALSE(table->item(1, 0)->flags() & Qt::ItemIsEditable);
        typeInto(1, "Sir/Madam");
        press(QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(TdlgDefaultFieldValues::edit(nullptr, settings));
    EXPECT_EQ(settings.DefaultFirstName, "Sir/Madam");
    EXPECT_EQ(settings.DefaultCompany, "your company");

    QTimer::singleShot(0, [] {
        typeInto(0, "Member");
        press(QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(TdlgDefaultFieldValues::edit(nullptr, settings));
    EXPECT_TRUE(settings.DefaultFullName.isEmpty());
}

}  // namespace
