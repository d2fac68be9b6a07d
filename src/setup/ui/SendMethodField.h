#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class Tdlgoptions;
struct OptionsServices;
struct Settings;

// One send-method setting on the "Sending Mail" page: the method's text, "Select..."
// with the method dialog and "Settings..." for the method's own settings, which only
// the SMTP client and the relay server have.
class SendMethodField : public QWidget {
    Q_OBJECT
public:
    // name: the key, also the stem of the controls' names.
    SendMethodField(const QString& name, int Settings::*method, Tdlgoptions& dialog, OptionsServices& services);

    void load(const Settings& s);
    void store(Settings& s) const;

private:
    void select();
    void editMethodSettings();

    int Settings::*member_;
    Tdlgoptions& dialog_;
    OptionsServices& services_;
    int method_ = -1;
    QLineEdit* edit_;
    QPushButton* btnSettings_;
};
