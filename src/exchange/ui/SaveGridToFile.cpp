#include "exchange/ui/SaveGridToFile.h"

#include "exchange/CheckOverwriteFile.h"

#include <QFileDialog>

namespace {

QString chooseGridFile(QWidget* parent, GridFileKind kind)
{
    const bool spreadsheet = kind == GridFileKind::Spreadsheet;
    QFileDialog chooser(parent);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    // The question about an existing file is CheckOverwriteFile's.
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    chooser.setNameFilter(spreadsheet ? "Microsoft Excel Workbook (*.xlsx)" : "HTML File (*.htm *.html)");
    chooser.setDefaultSuffix(spreadsheet ? "xlsx" : "htm");
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    return chooser.selectedFiles().constFirst();
}

}  // namespace

bool SaveGridToFile(QWidget* parent, Ui& ui, GridFileKind kind, QString fileName, const QStringList& headings,
                    int rowCount, const std::function<QStringList(int)>& rowValues)
{
    if (fileName.isEmpty())
        fileName = chooseGridFile(parent, kind);
    if (fileName.isEmpty() || !CheckOverwriteFile(ui, fileName))
        return false;
    return writeGridFile(kind, fileName, headings, rowCount, rowValues, ui);
}
