#pragma once

#include <QObject>

class AppController;
class QMenu;
class QWidget;

// The commands that send to the list: "Send E-mail to Mailing List..." (the send
// dialog with its recipients and run) and "Scheduled Mail Messages..." (the
// schedule viewer), each in the main window's modal-work state.
class MailingMenu : public QObject {
    Q_OBJECT
public:
    MailingMenu(AppController& controller, QMenu& fileMenu, QWidget& window);

    // btnsendClick: PrepareSendDialog for a new message.
    void btnsendClick();
    void mkMailSchedClick();

private:
    void PrepareSendDialog();
    void showRecipients(const QString& tableFile);

    AppController& controller_;
    QWidget& window_;
};
