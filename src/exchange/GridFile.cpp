#include "exchange/GridFile.h"

#include "base/Ui.h"

#include <QSaveFile>
#include <QTextStream>
#include <xlsxwriter.h>

namespace {

using RowValues = std::function<QStringList(int)>;

// Rows are written in order, one at a time, so the workbook is built in constant
// memory whatever the size of the list; its cells hold their texts as texts, never
// as formulas.
bool writeSpreadsheet(const QString& path, const QStringList& headings, int rowCount, const RowValues& rowValues)
{
    const QByteArray file = path.toUtf8();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    bool written = sheet != nullptr;
    const auto writeRow = [&](lxw_row_t row, const QStringList& values, lxw_format* format) {
        for (qsizetype column = 0; written && column < values.size(); ++column)
            written = worksheet_write_string(sheet, row, lxw_col_t(column), values[column].toUtf8().constData(),
                                             format) == LXW_NO_ERROR;
    };
    writeRow(0, headings, bold);
    for (int row = 0; written && row < rowCount; ++row)
        writeRow(lxw_row_t(row) + 1, rowValues(row), nullptr);
    return workbook_close(workbook) == LXW_NO_ERROR && written;
}

void writeHtmlRow(QTextStream& out, const QStringList& values, const char* cell)
{
    out << "<tr>";
    for (const QString& value : values)
        out << '<' << cell << '>' << value.toHtmlEscaped() << "</" << cell << '>';
    out << "</tr>\n";
}

// The page replaces an older one only once it is whole.
bool writeHtml(const QString& path, const QStringList& headings, int rowCount, const RowValues& rowValues)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&file);
    out << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n</head>\n<body>\n"
           "<table border=\"1\">\n";
    writeHtmlRow(out, headings, "th");
    for (int row = 0; row < rowCount; ++row)
        writeHtmlRow(out, rowValues(row), "td");
    out << "</table>\n</body>\n</html>\n";
    out.flush();
    return out.status() == QTextStream::Ok && file.commit();
}

}  // namespace

bool writeGridFile(GridFileKind kind, const QString& path, const QStringList& headings, int rowCount,
                   const RowValues& rowValues, Ui& ui)
{
    bool written = false;
    {
        const BusyCursor busy(ui);
        written = kind == GridFileKind::Spreadsheet ? writeSpreadsheet(path, headings, rowCount, rowValues)
                                                    : writeHtml(path, headings, rowCount, rowValues);
    }
    if (!written)
        ui.warn("An error was encountered saving your file.");
    return written;
}
