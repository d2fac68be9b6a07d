#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Ui;

// The two forms the list view can be written in.
enum class GridFileKind { Spreadsheet, Html };

// Writes the heading row and then every row (rowValues(0) .. rowValues(rowCount - 1),
// each in the headings' order) as an Office Open XML workbook or an HTML table,
// with the wait cursor. A failure says "An error was encountered saving your file."
// and gives false.
bool writeGridFile(GridFileKind kind, const QString& path, const QStringList& headings, int rowCount,
                   const std::function<QStringList(int row)>& rowValues, Ui& ui);
