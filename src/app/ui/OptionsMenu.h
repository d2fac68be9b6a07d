#pragma once

#include <QObject>

class AppController;
class QMainWindow;
class QMenu;

// The main window's View menu with "Options...": the options dialog over a copy of
// the session's settings, in the modal-work state; OK commits, saves and applies it.
class OptionsMenu : public QObject {
    Q_OBJECT
public:
    // The menu goes before the menu bar's menu before.
    OptionsMenu(AppController& controller, QMainWindow& window, QMenu& before);

    void mkOptionsClick();

private:
    AppController& controller_;
    QMainWindow& window_;
};
