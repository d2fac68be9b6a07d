#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class Ui;
struct Settings;

// "SMTP Settings": the server, the sender and the log-in. OK stores the values
// only when every check passes; a refused OK keeps the dialog open. "Test" opens
// a session with the values as they stand, before anything is stored.
class TdlgSMTPSettings : public QDialog {
    Q_OBJECT
public:
    TdlgSMTPSettings(Ui& ui, Settings& settings, QWidget* parent = nullptr);

    // True when OK stored the values.
    static bool edit(QWidget* parent, Ui& ui, Settings& settings);

    void accept() override;

private:
    // The checks of OK, each saying what is wrong; true when all passed.
    bool fieldsPass();
    void storeInto(Settings& s) const;
    void test();

    Ui& ui_;
    Settings& settings_;
    QLineEdit* edtHost_;
    QLineEdit* edtPort_;
    QLineEdit* edtName_;
    QLineEdit* edtEmail_;
    QComboBox* cmbSecurity_;
    QCheckBox* chkVerify_;
    QCheckBox* chkLogon_;
    QLineEdit* edtUser_;
    QLineEdit* edtPassword_;
};
