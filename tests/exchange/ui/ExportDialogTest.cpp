#include "../ExportFixture.h"
#include "exchange/ui/PrintListPage.h"
#include "exchange/ui/TdlgExport.h"
#include "exchange/ui/TdlgExportOption.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class ExportDialogTest : public ExportFixture {
protected:
    template <typename T>
    static T* child(QWidget& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    // The pages of a PDF file as Qt writes them.
    static int pdfPages(const QByteArray& pdf) { return int(pdf.count("/Type /Page\n")); }
};

TEST_F(ExportDialogTest, TheGridFormsAreRefusedOnTheInformationPage)
{
    TdlgExportOption dialog(true, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Export Option");
    EXPECT_TRUE(child<QRadioButton>(dialog, "rdbCSV")->isChecked());
    child<QRadioButton>(dialog, "rdbHTML")->click();
    child<QPushButton>(dialog, "btnOK")->click();
    EXPECT_EQ(ui.texts(), QStringList{"This export option is not available while you are in DB Information mode.  "
                                      "Please return to the main screen and change the tab to 'All Mailing List'."});
    EXPECT_TRUE(dialog.isVisible());
    child<QRadioButton>(dialog, "rdbCSV")->click();
    child<QPushButton>(dialog, "btnOK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), TdlgExportOption::Choice::Csv);

    TdlgExportOption listShown(false, ui);
    child<QRadioButton>(listShown, "rdbExcel")->click();
    child<QPushButton>(listShown, "btnOK")->click();
    EXPECT_EQ(listShown.result(), QDialog::Accepted);
    EXPECT_EQ(listShown.choice(), TdlgExportOption::Choice::Spreadsheet);
}

TEST_F(ExportDialogTest, TheExportDialogWritesTheTickedColumnsWithItsSeparator)
{
    add("ann@x.test", "Ann Lee", "Paris");
    TdlgExport dialog(TdlgExport::Mode::Export, context());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* edtFileName = child<QLineEdit>(dialog, "edtFileName");
    QListWidget* lbxFields = child<QListWidget>(dialog, "lbxFields");
    ASSERT_TRUE(edtFileName && lbxFields);
    EXPECT_TRUE(edtFileName->isReadOnly());
    EXPECT_EQ(edtFileName->text(), defaultExportFileName());
    ASSERT_EQ(lbxFields->count(), 11);
    EXPECT_EQ(lbxFields->item(0)->text(), "Email");
    for (int i = 0; i < lbxFields->count(); ++i)
        EXPECT_EQ(lbxFields->item(i)->checkState(), Qt::Checked) << i;
    EXPECT_TRUE(child<QPushButton>(dialog, "btnSave"));

    for (int i = 1; i < lbxFields->count(); ++i)
        if (i != int(ExportColumn::City))
            lbxFields->item(i)->setCheckState(Qt::Unchecked);
    child<QLineEdit>(dialog, "edtSeparator")->setText("|");
    edtFileName->setText(path("chosen.csv"));  // as the "Save.." chooser leaves it
    child<QPushButton>(dialog, "btnOK")->click();
    EXPECT_TRUE(dialog.exported());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readTestFile(path("chosen.csv")), QByteArray("E-mail|City\r\nann@x.test|Paris\r\n"));
}

TEST_F(ExportDialogTest, ThePrintDialogPrintsTheListToAPdfOncePerCopy)
{
    add("ann@x.test", "Ann Lee");
    add("bob@x.test", "Bob Ray");
    const QString pdf = path("list.pdf");
    QString printedTitle;
    ExportHooks hooks;
    hooks.print = [&](const QString& title, const QString& page) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printedTitle = title;
        return printPageCopies(printer, title, page, 2) ? PrintResult::Printed : PrintResult::Failed;
    };
    TdlgExport dialog(TdlgExport::Mode::Print, context(hooks));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Print E-mail List");
    QLineEdit* edtHeading = child<QLineEdit>(dialog, "edtHeading");
    ASSERT_TRUE(edtHeading);
    EXPECT_TRUE(edtHeading->isReadOnly());
    EXPECT_TRUE(edtHeading->text().startsWith("Mailing List Print at "));
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("edtFileName"));
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("edtSeparator"));
    child<QPushButton>(dialog, "btnOK")->click();

    EXPECT_TRUE(dialog.exported());
    EXPECT_EQ(printedTitle, edtHeading->text());
    const QByteArray bytes = readTestFile(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF")) << bytes.left(20).toStdString();
    EXPECT_EQ(pdfPages(bytes), 2) << "one page per copy";
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(ExportDialogTest, NoCopiesCountsAsOneAndAPrinterThatCannotStartFails)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("one.pdf"));
    ASSERT_TRUE(printPageCopies(printer, "Title", "E-mail\na@x.test\n", 0));
    EXPECT_EQ(pdfPages(readTestFile(path("one.pdf"))), 1);

    QPrinter nowhere;
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    nowhere.setOutputFileName(path("missing/one.pdf"));
    EXPECT_FALSE(printPageCopies(nowhere, "Title", "E-mail\n", 1));
}

}  // namespace
