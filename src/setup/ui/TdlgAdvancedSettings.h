#pragma once

#include "base/Folders.h"
#include "settings/Settings.h"
#include "setup/ui/SettingBindings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class Ui;

// "Advanced Settings": how the program talks to the mail layer and to its
// database. It edits a draft of the caller's settings (the profile dialog edits
// the same draft), so Cancel or Escape leaves the caller's copy untouched.
class TdlgAdvancedSettings : public QDialog {
    Q_OBJECT
public:
    // showHelp unset: the Help button is disabled.
    TdlgAdvancedSettings(Ui& ui, Settings& settings, const Folders& folders,
                         std::function<void(int topic)> showHelp, QWidget* parent = nullptr);

    // True when OK stored the values into settings.
    static bool edit(QWidget* parent, Ui& ui, Settings& settings, const Folders& folders,
                     std::function<void(int topic)> showHelp);

    void accept() override;

private:
    QWidget* makeIntegrationGroup();
    QWidget* makeStaggerRow();
    void followRetrieveMethod();
    // The exclusive-access question when the box is being ticked; false when its state
    // still differs from the stored one afterwards.
    bool confirmExclusiveChange();

    Ui& ui_;
    Settings& settings_;
    Settings draft_;
    const Folders folders_;
    std::function<void(int)> showHelp_;
    SettingBindings bindings_;
    QComboBox* cmbRetrieve_;
    QGroupBox* grpIntegration_;
    QComboBox* cmbSenderMethod_;
    QCheckBox* chkRedemption_;
    QCheckBox* chkExclusive_;
    QCheckBox* chkStagger_;
    QSpinBox* spnStagger_;
};
