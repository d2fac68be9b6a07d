#pragma once

#include <functional>

class QWidget;
class Logs;
class Ui;
struct Settings;

// The send-method dialog with current selected: the chosen method on OK, current
// when cancelled. The SMTP settings the dialog asks for go into settings.
int GetSendingMethod(QWidget* parent, Ui& ui, Logs& logs, Settings& settings, int current,
                     const std::function<bool()>& relaySettings = {});
