#pragma once

#include "exchange/ExportList.h"

#include <QString>

class QPrinter;
class QWidget;

// Prints the plain-text page copies times (0 counts as 1) in one job named by the
// title, keeping to the printer's page range. False when the printer could not be
// used.
bool printPageCopies(QPrinter& printer, const QString& title, const QString& page, int copies);

// The printer dialog (page numbers allowed), then the copies it asked for. With no
// printer installed the dialog offers a PDF file instead.
PrintResult printListPage(QWidget* parent, const QString& title, const QString& page);
