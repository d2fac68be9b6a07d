#pragma once

#include "mailings/ScheduleSettings.h"

#include <QDialog>
#include <functional>
#include <optional>

class Logs;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
class QVBoxLayout;
class Ui;
struct Settings;

// "Schedule Sending of this Message": a schedule's name, when it starts, how many
// recipients each batch takes and the delay between batches; when a stored
// schedule is edited, also its send method.
class TdlgScheduleSend : public QDialog {
    Q_OBJECT
public:
    struct Services {
        Ui& ui;
        Settings& settings;  // the send-method dialog keeps the SMTP settings it asks for here
        Logs& logs;
        // The relay server's settings, for the send-method dialog.
        std::function<bool()> relaySettings;
        // The help viewer for a topic number; without one Help is disabled.
        std::function<void(int topic)> showHelp;
    };

    explicit TdlgScheduleSend(Services services, QWidget* parent = nullptr);

    // Shows the choices; an empty name becomes "Mail-Out " + the date and time.
    // editing shows the method and hides the example.
    void setSettings(const ScheduleSettings& settings, bool editing);
    ScheduleSettings settings() const;

    // The choices for a new schedule; nullopt when cancelled.
    static std::optional<ScheduleSettings> askNew(QWidget* parent, Services services);
    // The changed choices of a stored schedule; nullopt when cancelled.
    static std::optional<ScheduleSettings> askEdit(QWidget* parent, Services services,
                                                   const ScheduleSettings& current);

    void accept() override;

private:
    void buildStart(QVBoxLayout* layout);
    void buildBatches(QVBoxLayout* layout);
    void buildMethod(QVBoxLayout* layout);
    void followChoices();
    void changeMethod();

    Services services_;
    int method_ = -1;
    QLineEdit* edtBatchName_;
    QButtonGroup* startGroup_;
    QRadioButton* rdbStartAtDate_;
    QRadioButton* rdbStartNow_;
    QRadioButton* rdbStartManual_;
    QDateEdit* edtStartDate_;
    QTimeEdit* edtStartTime_;
    QButtonGroup* countGroup_;
    QRadioButton* rdbAllRecipients_;
    QRadioButton* rdbBatchRecipients_;
    QSpinBox* spnBatchSize_;
    QButtonGroup* delayGroup_;
    QRadioButton* rdbBatchDelay_;
    QRadioButton* rdbBatchManual_;
    QSpinBox* spnDelay_;
    QComboBox* cmbDelayUnit_;
    QLabel* lblSendingMethod_;
    QLabel* lblMethod_;
    QPushButton* btnChangeMethod_;
    QPushButton* btnExample_;
};
