#pragma once

#include "exchange/ManualEntry.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// "Enter Addresses": lines of addresses, typed, pasted or loaded, added to a group,
// removed from one group or all, or processed as undeliverable.
class TdlgEnterMore : public QDialog {
    Q_OBJECT
public:
    TdlgEnterMore(const ListContext& ctx, ImportHooks hooks, QWidget* parent = nullptr);

    void setEntriesText(const QString& text);

    // As the second step of a harvest or folder scan: the found lines, its own
    // heading, no "Paste" or "Load..".
    void useAsSecondStep(const QString& heading, const QString& text);

private:
    void actionChanged();
    void textChanged();
    void btnPasteClick();
    void btnLoadClick();
    void btnOKClick();

    const ListContext& ctx_;
    ImportHooks hooks_;
    QLabel* lblHeading_ = nullptr;
    QPlainTextEdit* memEntries_ = nullptr;
    QLabel* lblCount_ = nullptr;
    QRadioButton* rdbAdd_ = nullptr;
    QRadioButton* rdbRemove_ = nullptr;
    QRadioButton* rdbUndeliverable_ = nullptr;
    QRadioButton* rdbAllGroups_ = nullptr;
    QRadioButton* rdbGroup_ = nullptr;
    QComboBox* cmbAddGroup_ = nullptr;
    QComboBox* cmbRemoveGroup_ = nullptr;
    QPushButton* btnPaste_ = nullptr;
    QPushButton* btnLoad_ = nullptr;
    QPushButton* btnOK_ = nullptr;
};
