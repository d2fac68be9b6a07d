#pragma once

#include "exchange/ExportColumns.h"

#include <QChar>
#include <QString>
#include <functional>

class EntriesTable;
class Ui;

// What became of a printed page.
enum class PrintResult { Printed, Cancelled, Failed };

// What exportlist leaves to the windows it runs under.
struct ExportHooks {
    // Disables the main window and detaches the list view from the table (true), and
    // re-attaches and enables them (false); called once each way around a run.
    std::function<void(bool working)> holdWindow;
    // Prints the page under the title (the printer dialog, then the copies); unset,
    // nothing can be printed and a print run fails as a printing failure.
    std::function<PrintResult(const QString& title, const QString& page)> print;
};

// Where exportlist reads the list and whom it tells.
struct ExportContext {
    EntriesTable& entries;
    Ui& ui;
    ExportHooks hooks;
};

// The separator a typed one stands for: its first character, "," when empty.
QChar exportSeparator(const QString& typed);

// The default export file name: the current directory and "CVNExport.csv".
QString defaultExportFileName();

// Writes every entry, in Item order, as one line of the chosen columns (the
// heading line before the first), to the file, or, with an empty file name, to a
// page printed under printTitle. backup only chooses the progress text. True unless
// the run failed or was cancelled; a file cut short keeps what was written.
bool exportlist(const ExportContext& context, const QString& fileName, const QString& printTitle,
                const QString& separator, bool backup, const ExportColumnFlags& columns);
