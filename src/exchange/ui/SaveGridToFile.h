#pragma once

#include "exchange/GridFile.h"

class QWidget;

// Writes the list view's visible columns (headings in display order) and its rows
// to the file; without a file name a file chooser asks for one first (Cancel: nothing
// is written). An existing file is replaced only when the person agrees. True when
// the file was written.
bool SaveGridToFile(QWidget* parent, Ui& ui, GridFileKind kind, QString fileName, const QStringList& headings,
                    int rowCount, const std::function<QStringList(int row)>& rowValues);
