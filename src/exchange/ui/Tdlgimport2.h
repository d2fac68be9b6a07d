#pragma once

#include "exchange/ImportFile.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class Ui;

// "Importation Settings": the file's fields beside the entry fields they go into.
// It edits the import dialog's mapping, which lasts for that one import.
class Tdlgimport2 : public QDialog {
    Q_OBJECT
public:
    Tdlgimport2(ImportMapping& mapping, Ui& ui, QWidget* parent = nullptr);

    // A new file: its fields are read again, and its heading looked at, on the next showing.
    void setFileName(const QString& path);

    // Moves the name at from to to in the field order; false when either is out of range.
    bool movefield(int from, int to);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void discardExamples();
    void loadFields();
    void showLayout(const QStringList& fileFields, const QStringList& examples);
    void showFieldOrder();
    void moveSelected(int step);
    void separatorChanged(const QString& text);

    ImportMapping& mapping_;
    Ui& ui_;
    QString fileName_;
    bool examplesPresent_ = false;
    bool headingUnchecked_ = true;  // the new file's first line is still to be looked at
    int fieldCount_ = 0;
    QListWidget* lbxFileFields_ = nullptr;
    QListWidget* lbxExamples_ = nullptr;
    QListWidget* lbxArrows_ = nullptr;
    QListWidget* lbxFieldOrder_ = nullptr;
    QLineEdit* edtSeparator_ = nullptr;
    QLabel* lblExample_ = nullptr;
    QCheckBox* chkHeaderRow_ = nullptr;
};
