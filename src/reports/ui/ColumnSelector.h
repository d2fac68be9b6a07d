#pragma once

#include <QDialog>

// "Column Selector...": every column of the grid with a tick for those shown;
// a tick shows or hides its column at once.
class ColumnSelector : public QDialog {
    Q_OBJECT
public:
    ColumnSelector(const QList<bool>& shown, QWidget* parent = nullptr);

signals:
    void columnToggled(int column, bool shown);
};
