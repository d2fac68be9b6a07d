#pragma once

#include "exchange/ImportHooks.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Tdlgimport2;

// "Import E-mail Addresses": a single column of addresses into one group, or a file
// of columns through the mapping of "Importation Settings", which lives as long
// as this dialog. "Check only" runs the same import without writing and shows
// what it would turn down.
class TdlgImport : public QDialog {
    Q_OBJECT
public:
    TdlgImport(const ListContext& ctx, ImportHooks hooks, QWidget* parent = nullptr);

    // What "Browse.." does with the chosen file.
    void setFileName(const QString& path);

    Tdlgimport2& mappingDialog() { return *mappingDialog_; }

private:
    void btnBrowseClick();
    void formChanged();
    // Runs the import; false when the dialog is to stay open.
    bool runImport(bool dryRun);
    void showReport(const QString& text);

    const ListContext& ctx_;
    ImportHooks hooks_;
    ImportMapping mapping_;
    Tdlgimport2* mappingDialog_ = nullptr;
    QRadioButton* rdbSingle_ = nullptr;
    QComboBox* cmbGroup_ = nullptr;
    QLineEdit* edtFileName_ = nullptr;
    QPushButton* btnEditSettings_ = nullptr;
    QPushButton* btnCheckOnly_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPlainTextEdit* memReport_ = nullptr;
};

// "Import Mailing List Entries...": the import dialog, shown modally; the database
// is flushed when it closes.
void importMailingListEntries(QWidget* parent, const ListContext& ctx, const ImportHooks& hooks);
