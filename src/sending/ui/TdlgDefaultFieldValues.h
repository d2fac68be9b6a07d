#pragma once

#include <QDialog>

class QTableWidget;
struct Settings;

// "Default Field Values": what a field code shows for a recipient whose field is
// empty. OK stores the four values; Cancel leaves the settings as they were.
class TdlgDefaultFieldValues : public QDialog {
    Q_OBJECT
public:
    TdlgDefaultFieldValues(Settings& settings, QWidget* parent = nullptr);

    // True when OK stored the values.
    static bool edit(QWidget* parent, Settings& settings);

    void accept() override;

private:
    Settings& settings_;
    QTableWidget* grid_;
};
