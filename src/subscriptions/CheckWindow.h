#pragma once

#include <QString>
#include <functional>
#include <memory>

class Ui;
struct CurrentMessage;

// The window a pass runs under: its heading, a percentage gauge and a button that
// stops the pass without asking. It shows the message being processed.
class CheckWindow {
public:
    virtual ~CheckWindow() = default;

    virtual void setGauge(int percent) = 0;
    virtual void showMessage(const CurrentMessage& message) = 0;
    // Set by the window's "x".
    virtual bool cancelled() const = 0;
};

// Opens the window of a pass with its heading; it closes when destroyed.
using CheckWindowOpener = std::function<std::unique_ptr<CheckWindow>(const QString& heading)>;

// Where there is no window of its own, a pass shows its gauge in the progress
// display of the Ui.
std::unique_ptr<CheckWindow> progressCheckWindow(Ui& ui, const QString& heading);
