#pragma once

#include "exchange/ExportList.h"
#include "exchange/GridFile.h"

#include <functional>

class QWidget;

// "Export Mailing List Entries...": the Export Option dialog, then the export dialog
// for a delimited file, or saveGrid (the list view through SaveGridToFile, no file
// name) for a spreadsheet or an HTML page.
void exportMailingListEntries(QWidget* parent, const ExportContext& context, bool informationTabShown,
                              const std::function<void(GridFileKind)>& saveGrid);

// "Print Mailing List" and the "Print List..." button: the export dialog in print mode.
void printMailingList(QWidget* parent, const ExportContext& context);
