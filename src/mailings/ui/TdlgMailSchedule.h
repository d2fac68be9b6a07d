#pragma once

#include "mailings/ScheduleTable.h"
#include "mailings/ui/TdlgScheduleSend.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QTableWidget;

// "Message Sending Schedule": every schedule with its state, and the buttons that
// start, hold, edit and delete them.
class TdlgMailSchedule : public QDialog {
    Q_OBJECT
public:
    struct Services {
        TdlgScheduleSend::Services dialog;  // for "Edit Item..."; its help shows this viewer's topic too
        ScheduleTable& table;
        QString databaseFolder;
        // The recipient viewer for a schedule's table file (a name in the database folder).
        std::function<void(const QString& tableFile)> showRecipients;
        // The clock of "Send Now"; the local time when not given.
        std::function<QDateTime()> now;
    };

    // How the viewer ended: a schedule made due asks the caller to arm the timer again.
    enum Outcome { Closed = QDialog::Rejected, SendRequested = QDialog::Accepted };

    explicit TdlgMailSchedule(Services services, QWidget* parent = nullptr);

    // mkMailSchedClick's viewer: says first when there is nothing scheduled, and
    // opens anyway.
    static Outcome run(QWidget* parent, Services services);

private:
    void refresh();
    void showSubject();
    std::optional<int> selectedIndex() const;
    // The schedule of the selected line as stored; nullopt without one.
    std::optional<ScheduleRow> selected();
    void change(const std::function<void(ScheduleRow&)>& edit, bool closeToSend);
    void editItem();
    void deleteItem();
    void showRecipients();
    QDateTime now() const;

    Services services_;
    QTableWidget* grdSchedule_;
    QLineEdit* edtSubject_;
    QCheckBox* chkHideCompleted_;
};
