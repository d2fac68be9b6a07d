#include "exchange/ui/PrintListPage.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>
#include <algorithm>

namespace {

// The pages of the document the printer's range asks for, 1-based and inclusive.
std::pair<int, int> pageRange(const QPrinter& printer, int pageCount)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return {1, pageCount};
    const int first = std::min(printer.fromPage(), pageCount);
    return {first, std::clamp(printer.toPage(), first, pageCount)};
}

}  // namespace

bool printPageCopies(QPrinter& printer, const QString& title, const QString& page, int copies)
{
    printer.setDocName(title);
    QTextDocument document;
    document.setPlainText(page);
    document.documentLayout()->setPaintDevice(&printer);
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    document.setPageSize(area);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const auto [first, last] = pageRange(printer, document.pageCount());
    bool pageStarted = false;
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        for (int number = first; number <= last; ++number) {
            if (pageStarted && !printer.newPage()) {
                painter.end();
                return false;
            }
            pageStarted = true;
            const qreal top = (number - 1) * area.height();
            painter.save();
            painter.translate(0, -top);
            document.drawContents(&painter, QRectF(QPointF(0, top), area));
            painter.restore();
        }
    }
    return painter.end();
}

PrintResult printListPage(QWidget* parent, const QString& title, const QString& page)
{
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        printer.setOutputFileName(QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath("MailingList.pdf"));
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return PrintResult::Cancelled;
    // The copies are printed here, each a whole list, so the printer is asked for one.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    return printPageCopies(printer, title, page, copies) ? PrintResult::Printed : PrintResult::Failed;
}
