#pragma once

#include "mailings/SendDialogRun.h"

#include <QWidget>
#include <functional>

class QLabel;
class TdlgAddRecip;
class TdlgSendMail;
struct Settings;
class Logs;

// The send dialog's run area: the recipient choice, the count line with "Accurate
// Count", and the buttons that send, schedule, test or cancel. The work is
// SendDialogRun's; this holds the widgets and the order of the checks.
class SendRunPanel : public QWidget {
    Q_OBJECT
public:
    // What the main window tells about itself and lends the panel.
    struct View {
        bool selectionAvailable = false;  // on the "Select Groups", "Search" or "Other" tab
        QString description;              // GetModeEntriesText
        QString modeString;               // CurrentMode
        QString filterExpression;
        std::function<qint64(RecipientChoice)> estimate;  // the entries a choice holds
        std::function<QStringList()> fromMailFolder;       // harvest from a mail folder; unset: off
        std::function<void(int topic)> showHelp;
        // The options dialog with only its "Sending Mail" page; unset: its button is off.
        std::function<void()> sendingOptions;
    };

    SendRunPanel(TdlgSendMail& dialog, SendDialogRun& run, MailingServices services, Settings& settings, Logs& logs,
                 View view);

    TdlgAddRecip& recipients() { return *recipients_; }
    // "Send Message!", "Scheduled Send..." and "Send Test Message".
    void btnSendClick(bool scheduled);
    void SendTestClick();

private:
    bool messageChecks(bool recompute);
    RunMessage message();
    RunOptions options() const;
    RecipientSelection selection() const;
    void showCount(bool accurate);
    void btnrecalcClick();
    // After the sending options: their recipients per message and send method.
    void btnSendingOptionsClick();
    void CheckSchedSend(const RunMessage& message, const SendLogRecord& record);

    TdlgSendMail& dialog_;
    SendDialogRun& run_;
    MailingServices services_;
    Settings& settings_;
    Logs& logs_;
    View view_;
    TdlgAddRecip* recipients_;
    QLabel* lblCount_;
    QLabel* lblTo_;
    QLabel* lblCC_;
    QLabel* lblBCC_;
    QLabel* lnkCalculate_;
};
