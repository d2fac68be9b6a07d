#pragma once

#include "subscriptions/CheckWindow.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;

// The small window a pass runs under: the heading, the gauge and an "x" that
// stops the pass at once. It holds the message being processed out of sight,
// for anyone who looks into it.
class TfrmExtractentries : public QDialog, public CheckWindow {
    Q_OBJECT
public:
    TfrmExtractentries(const QString& heading, QWidget* parent = nullptr);

    void setGauge(int percent) override;
    void showMessage(const CurrentMessage& message) override;
    bool cancelled() const override { return cancelled_; }

    // Shown modal to the program while the pass lets events through.
    static std::unique_ptr<CheckWindow> open(const QString& heading, QWidget* parent);

protected:
    void reject() override;

private:
    QProgressBar* gauge_;
    QLineEdit* edtsubject;
    QLineEdit* edtdate;
    QLineEdit* edtsender;
    QLineEdit* edtsendername;
    QLineEdit* edtemail;
    QLineEdit* edtname;
    QLineEdit* edtcategory;
    QCheckBox* chkdoadd;
    QLineEdit* edtFirstRecipient;
    QPlainTextEdit* Memo1;
    QListWidget* lbxAttach;
    bool cancelled_ = false;
};
