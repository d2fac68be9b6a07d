#pragma once

#include "mail/ThunderbirdAccounts.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct Settings;
struct SetupWizardServices;

// The first-run wizard: which e-mail software, which folder to scan, and what to
// put on outgoing mail. It changes the settings only when it finishes.
class TdlgSetupWizard : public QDialog {
    Q_OBJECT
public:
    TdlgSetupWizard(SetupWizardServices& services, Settings& settings, QWidget* parent = nullptr);

    // Shows the wizard modally; true when it finished and wrote the answers into settings.
    static bool run(QWidget* parent, SetupWizardServices& services, Settings& settings);

protected:
    // Escape and the close box are the person cancelling, as the Cancel button is;
    // reject() itself never asks, so the program can close the wizard when it must.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeSoftwarePage();
    QWidget* makeFolderPage();
    QWidget* makeMailSettingsPage();
    QLabel* makeHelpLink(const QString& name, const QString& text, int topic);
    void showPage(int index);
    bool mailAccountChosen() const;
    bool folderPageWanted() const;
    void btnNextClick();
    void btnPreviousClick();
    void btnFinishClick();
    void btnCancelClick();
    bool cancelConfirmed();
    void btnFolderClick();
    void mailSettingsShown();
    void loadAccount(int index);
    void showServer(bool shown);

    SetupWizardServices& services_;
    Settings& settings_;
    MailAccountList accounts_;
    bool accountsRead_ = false;
    bool serverShown_ = false;

    QTabWidget* pgcWizard_;
    QRadioButton* rdbMailAccount_;
    QRadioButton* rdbOtherSoftware_;
    QLineEdit* edtFolder_;
    QPushButton* btnFolder_;
    QLabel* lblAccount_;
    QComboBox* cmbAccounts_;
    QLineEdit* edtReplyName_;
    QLineEdit* edtReplyEmail_;
    QLabel* lblSMTPServer_;
    QLineEdit* edtSMTPServer_;
    QLabel* lblSMTPPort_;
    QLineEdit* edtSMTPPort_;
    QPushButton* btnPrevious_;
    QPushButton* btnNext_;
    QPushButton* btnFinish_;
};
