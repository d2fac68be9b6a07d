#pragma once

#include <QString>
#include <functional>

class Ui;

// What the set-up wizard reaches beyond itself, supplied by the application.
struct SetupWizardServices {
    Ui& ui;
    // The folder picker with the prompt as its heading; empty when cancelled.
    // Unset: the folder button stays disabled.
    std::function<QString(const QString& prompt)> pickFolder;
    // The help viewer for a topic number. Unset: the help button and links are disabled.
    std::function<void(int topic)> showHelp;
    // Where the user's Thunderbird keeps its profiles (the wizard offers their accounts).
    QString thunderbirdFolder;
};
