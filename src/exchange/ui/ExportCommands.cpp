#include "exchange/ui/ExportCommands.h"

#include "exchange/ui/TdlgExport.h"
#include "exchange/ui/TdlgExportOption.h"

void exportMailingListEntries(QWidget* parent, const ExportContext& context, bool informationTabShown,
                              const std::function<void(GridFileKind)>& saveGrid)
{
    TdlgExportOption option(informationTabShown, context.ui, parent);
    if (option.exec() != QDialog::Accepted)
        return;
    switch (option.choice()) {
    case TdlgExportOption::Choice::Csv: {
        TdlgExport dialog(TdlgExport::Mode::Export, context, parent);
        dialog.exec();
        break;
    }
    case TdlgExportOption::Choice::Spreadsheet:
        saveGrid(GridFileKind::Spreadsheet);
        break;
    case TdlgExportOption::Choice::Html:
        saveGrid(GridFileKind::Html);
        break;
    }
}

void printMailingList(QWidget* parent, const ExportContext& context)
{
    TdlgExport dialog(TdlgExport::Mode::Print, context, parent);
    dialog.exec();
}
