#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QRadioButton;
class QPushButton;
class Ui;
struct Settings;

// "E-mail Sending Method": one radio button per send method, each with its
// advantages and what it does; the mail account's two methods only when the mail
// account is the e-mail software.
class TdlgSendMethod : public QDialog {
    Q_OBJECT
public:
    // relaySettings opens the relay server's settings and answers whether they were
    // stored; without it the relay server's settings cannot be given here.
    TdlgSendMethod(Ui& ui, Settings& settings, std::function<bool()> relaySettings, QWidget* parent = nullptr);

    // The text the dialog shows for a method; empty for none chosen.
    static QString MethodCaption(int method);

    void SetSelectedMethod(int method);
    // The first checked and enabled button, in the order of the methods; 255 when none.
    int SelectedMethod() const;

    void accept() override;

private:
    void followChoice();

    Ui& ui_;
    Settings& settings_;
    std::function<bool()> relaySettings_;
    QList<QRadioButton*> buttons_;  // by method number, 0 to 4
    QPushButton* btnSMTPSettings_;
    QPushButton* btnServerSettings_;
};
