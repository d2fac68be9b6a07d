#include "ImportHooksRecorder.h"
#include "exchange/ui/TdlgImport.h"
#include "exchange/ui/Tdlgimport2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class ImportDialogTest : public ImportDialogFixture {
protected:
    static QStringList rows(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

TEST_F(ImportDialogTest, ACommaHeadingNamesTheFileFieldsAndASemicolonHeadingIsNotSeen)
{
    TdlgImport dialog(*ctx, hooks());
    dialog.setFileName(file("people.csv", "Name,E-mail,Group\nAnn Lee,ann@x.test,news\n"));
    Tdlgimport2& mapping = dialog.mappingDialog();
    mapping.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mapping));
    EXPECT_EQ(mapping.windowTitle(), "Importation Settings");
    EXPECT_TRUE(child<QCheckBox>(mapping, "chkHeaderRow")->isChecked());
    EXPECT_EQ(rows(child<QListWidget>(mapping, "lbxFileFields")), (QStringList{"Name", "E-mail", "Group"}));
    EXPECT_EQ(rows(child<QListWidget>(mapping, "lbxExamples")), (QStringList{"Ann Lee", "ann@x.test", "news"}));
    EXPECT_EQ(rows(child<QListWidget>(mapping, "lbxArrows")), (QStringList{"-->", "-->", "-->"}));
    QListWidget* order = child<QListWidget>(mapping, "lbxFieldOrder");
    ASSERT_EQ(order->count(), 11);
    EXPECT_EQ(rows(order).mid(0, 4), (QStringList{"E-mail", "Group", "Full Name", "First Name (no field)"}));
    EXPECT_EQ(order->item(10)->text(), "Country (no field)");
    EXPECT_NE(order->item(3)->foreground().color(), order->item(2)->foreground().color()) << "greyed";
    EXPECT_EQ(child<QLabel>(mapping, "lblExample")->text().left(6), "(e.g. ");
    EXPECT_TRUE(child<QLabel>(mapping, "lblExample")->text().endsWith(",My_Category)"));

    // A new file of ";" whose heading the comma test misses: the first line is taken as values.
    mapping.hide();
    dialog.setFileName(file("semi.csv", "Name;E-mail;Group\nAnn Lee;ann@x.test;news\n"));
    child<QCheckBox>(mapping, "chkHeaderRow")->setChecked(false);
    mapping.show();
    child<QLineEdit>(mapping, "edtSeparator")->setText(";");
    EXPECT_EQ(child<QLineEdit>(mapping, "edtSeparator")->maxLength(), 1);
    EXPECT_FALSE(child<QCheckBox>(mapping, "chkHeaderRow")->isChecked());
    EXPECT_EQ(rows(child<QListWidget>(mapping, "lbxFileFields")), (QStringList{"Field 1", "Field 2", "Field 3"}));
    EXPECT_EQ(rows(child<QListWidget>(mapping, "lbxExamples")), (QStringList{"Name", "E-mail", "Group"}));
    EXPECT_TRUE(child<QLabel>(mapping, "lblExample")->text().endsWith(";My_Category)"));
}

TEST_F(ImportDialogTest, AnUnmappedEmailFieldIsRefusedAndTheMovedMappingIsWhatTheImportGets)
{
    TdlgImport dialog(*ctx, hooks());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QString path = file("three.csv", "ann@x.test,Ann Lee,news\nbob@x.test,Bob Ray,\n");
    dialog.setFileName(path);
    child<QRadioButton>(dialog, "rdbMultiple")->click();
    ASSERT_TRUE(child<QPushButton>(dialog, "btnEditSettings")->isEnabled());
    Tdlgimport2& mapping = dialog.mappingDialog();
    mapping.show();
    QListWidget* order = child<QListWidget>(mapping, "lbxFieldOrder");
    ASSERT_TRUE(order);
    EXPECT_FALSE(child<QCheckBox>(mapping, "chkHeaderRow")->isChecked());

    child<QPushButton>(mapping, "btnMoveUp")->click();
    EXPECT_EQ(ui.texts(), QStringList{"You have not selected a field to move!"});

    child<QListWidget>(mapping, "lbxExamples")->setCurrentRow(0);  // a side list picks the same row
    EXPECT_EQ(order->currentRow(), 0);
    for (int i = 0; i < 3; ++i)
        child<QPushButton>(mapping, "btnMoveDown")->click();
    EXPECT_EQ(order->currentRow(), 3);
    EXPECT_EQ(order->item(3)->text(), "E-mail (no field)");
    child<QPushButton>(mapping, "btnMappingOK")->click();
    EXPECT_EQ(ui.texts().last(), "You have not mapped your e-mail field.  This field is required!");
    EXPECT_TRUE(mapping.isVisible());

    child<QPushButton>(mapping, "btnMoveUp")->click();
    child<QPushButton>(mapping, "btnMappingOK")->click();
    EXPECT_FALSE(mapping.isVisible());

    child<QPushButton>(dialog, "btnOK")->click();
    ASSERT_EQ(calls.size(), 1);
    ASSERT_TRUE(calls[0].mapping);
    EXPECT_EQ(calls[0].mapping->fieldOrder.mid(0, 4), (QStringList{"Group", "Full Name", "E-mail", "First Name"}));
    EXPECT_EQ(calls[0].mapping->separator, ",");
    EXPECT_EQ(calls[0].lines, (QStringList{"ann@x.test,Ann Lee,news", "bob@x.test,Bob Ray,"}));
    EXPECT_EQ(calls[0].options.note, "Import of entries from file \"three.csv\"");
    EXPECT_FALSE(calls[0].options.dryRun);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ImportDialogTest, TheSingleColumnFormNeedsAGroupAndHandsTheLinesToTheImport)
{
    settings.AckManualEntries = true;
    TdlgImport dialog(*ctx, hooks());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Import E-mail Addresses");
    EXPECT_TRUE(child<QRadioButton>(dialog, "rdbSingle")->isChecked());
    EXPECT_FALSE(child<QPushButton>(dialog, "btnEditSettings")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dialog, "btnOK")->isEnabled()) << "no file yet";
    EXPECT_TRUE(child<QLineEdit>(dialog, "edtFileName")->isReadOnly());
    QComboBox* group = child<QComboBox>(dialog, "cmbGroup");
    EXPECT_EQ(group->currentText(), settings.AlternativeCategory);

    dialog.setFileName(file("list.txt", "Ann Lee <ann@x.test>\n\nbob@x.test\n"));
    group->setCurrentText("");
    child<QPushButton>(dialog, "btnOK")->click();
    EXPECT_EQ(ui.texts(), QStringList{"You have not entered a group to add these addresses to!"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(calls.isEmpty());

    group->setCurrentText("news");
    child<QPushButton>(dialog, "btnOK")->click();
    ASSERT_EQ(calls.size(), 1);
    const ImportCall& call = calls[0];
    EXPECT_EQ(call.lines, (QStringList{"Ann Lee <ann@x.test>", "", "bob@x.test"}));
    EXPECT_TRUE(call.add);
    EXPECT_EQ(call.group, "news");
    EXPECT_EQ(call.separator, ",");
    EXPECT_FALSE(call.splitFields);
    EXPECT_FALSE(call.asBounce);
    EXPECT_FALSE(call.mapping);
    EXPECT_TRUE(call.options.acknowledge);
    EXPECT_TRUE(call.options.showCompletion);
    EXPECT_EQ(call.options.note, "Import of entries from file \"list.txt\"");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ImportDialogTest, CheckOnlyShowsTheReportAndAnUnreadableFileClosesWithoutImporting)
{
    refuseSecondLine = true;
    TdlgImport dialog(*ctx, hooks());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.setFileName(file("list.txt", "ann@x.test\nspam@x.test\n"));
    child<QComboBox>(dialog, "cmbGroup")->setCurrentText("brand-new");
    child<QPushButton>(dialog, "btnCheckOnly")->click();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_TRUE(calls[0].options.dryRun);
    EXPECT_FALSE(calls[0].options.showCompletion);
    EXPECT_EQ(calls[0].group, "brand-new");
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news"})) << "a check creates no group";
    auto* report = dialog.findChild<QPlainTextEdit*>("memReport");
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->isReadOnly());
    EXPECT_TRUE(report->isVisible());
    EXPECT_TRUE(report->toPlainText().contains("spam@x.test")) << report->toPlainText().toStdString();
    EXPECT_TRUE(dialog.isVisible());

    child<QComboBox>(dialog, "cmbGroup")->setCurrentText("news");
    dialog.setFileName(dir.filePath("gone.txt"));
    child<QPushButton>(dialog, "btnOK")->click();
    EXPECT_EQ(ui.texts(), QStringList{"Error encountered opening your import file!"});
    EXPECT_EQ(calls.size(), 1);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
