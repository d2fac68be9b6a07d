#pragma once

#include "exchange/ExportList.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

// The export dialog: the file (chosen through "Save..", never typed), the columns and
// the separator; in print mode the print heading and the columns. OK runs exportlist
// and the dialog closes whatever came of it.
class TdlgExport : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Export, Print };

    // In print mode without a print hook in the context the printer dialog prints.
    TdlgExport(Mode mode, const ExportContext& context, QWidget* parent = nullptr);

    // What the last OK's run gave; false before one.
    bool exported() const { return exported_; }

private:
    void btnSaveClick();
    void btnOKClick();
    ExportColumnFlags tickedColumns() const;

    Mode mode_;
    ExportContext context_;
    QLineEdit* edtFileName_ = nullptr;
    QLineEdit* edtSeparator_ = nullptr;
    QLineEdit* edtHeading_ = nullptr;
    QListWidget* lbxFields_ = nullptr;
    bool exported_ = false;
};
