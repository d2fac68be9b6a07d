#pragma once

#include "base/Folders.h"
#include "setup/ui/SettingBindings.h"

#include <QDialog>

class QRadioButton;
class Ui;
struct Settings;

// "E-mail Software Login Profile": the profile that logs in to the mail account
// and where the mail layer finds its stores. "Test" tries the values as they
// stand in the dialog, before anything is stored.
class TdlgProfile : public QDialog {
    Q_OBJECT
public:
    TdlgProfile(Ui& ui, Settings& settings, const Folders& folders, QWidget* parent = nullptr);

    // True when OK stored the values into settings.
    static bool edit(QWidget* parent, Ui& ui, Settings& settings, const Folders& folders);

    void accept() override;

private:
    void storeInto(Settings& s) const;
    void test();

    Ui& ui_;
    Settings& settings_;
    const Folders folders_;
    SettingBindings bindings_;
    QRadioButton* rdbProfile_;
};
