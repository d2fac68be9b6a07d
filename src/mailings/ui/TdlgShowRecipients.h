#pragma once

#include <QDialog>
#include <functional>

class SendListTable;
class Ui;

// "Messages Recipients": a run's recipient table with each recipient's send state
// and outcome. "Save Unsent List to File..." writes the rows the server did not
// take; "Resend to Refused", when some were refused, closes the dialog and then
// runs the caller's resend.
class TdlgShowRecipients : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        // The main window's overwrite confirmation: true to go on with the file.
        std::function<bool(const QString&)> confirmOverwrite;
        // Off when empty.
        std::function<void()> resendToRefused;
    };

    TdlgShowRecipients(const SendListTable& table, Ui& ui, Hooks hooks, QWidget* parent = nullptr);

private:
    void btnSaveUnsentClick();
    void btnResendRefusedClick();

    const SendListTable& table_;
    Ui& ui_;
    Hooks hooks_;
};
