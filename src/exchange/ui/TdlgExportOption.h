#pragma once

#include <QDialog>

class QRadioButton;
class Ui;

// "Export Option": the form the list is written in. The two forms that copy the list
// view cannot be chosen while the main window shows its Information page.
class TdlgExportOption : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Csv, Spreadsheet, Html };

    TdlgExportOption(bool informationTabShown, Ui& ui, QWidget* parent = nullptr);

    Choice choice() const;

private:
    void btnOKClick();

    bool informationTabShown_;
    Ui& ui_;
    QRadioButton* rdbCSV_;
    QRadioButton* rdbExcel_;
    QRadioButton* rdbHTML_;
};
