#pragma once

#include <QString>
#include <functional>

class Logs;
class Ui;
struct ListContext;
struct Settings;

// What the settings dialogs reach beyond themselves, supplied by the application:
// the list rules over the dialog's copy of the settings, the windows that sit higher
// and what the main window shows of the settings.
struct OptionsServices {
    Ui& ui;
    Logs& logs;
    // The list rules (group checks, the scans of the list) working with these settings.
    std::function<ListContext(Settings&)> listContext = {};
    // The folder picker with the prompt as its heading; empty when cancelled.
    std::function<QString(const QString& prompt)> pickFolder = {};
    // The relay server's settings; true when stored. Unset: its button stays disabled.
    std::function<bool(Settings&)> relaySettings = {};
    // The help viewer for a topic number. Unset: the help buttons are disabled.
    std::function<void(int topic)> showHelp = {};
    // Saves the settings (lists and Settings.ini); false when something could not be saved.
    std::function<bool(const Settings&)> save = {};
    // The committed settings reach what shows them: the group lists of the main window,
    // its captions and menus, the list view's record cache.
    std::function<void(const Settings&)> applied = {};
    // The set-up wizard over the dialog's copy. Unset: "Specify E-mail Software" is disabled.
    std::function<void(Settings&)> setupWizard = {};
    // The advanced settings over the dialog's copy. Unset: "Advanced Options.." is disabled.
    std::function<void(Settings&)> advancedSettings = {};
};
