#pragma once

#include <QObject>
#include <QString>

class AppController;
class QMainWindow;
class QMenu;
class QWidget;

// The main window's View menu with "Options...": the options dialog over a copy of
// the session's settings, in the modal-work state; OK commits, saves and applies it.
class OptionsMenu : public QObject {
    Q_OBJECT
public:
    // The menu goes before the menu bar's menu before.
    OptionsMenu(AppController& controller, QMainWindow& window, QMenu& before);

    void mkOptionsClick();
    // The options dialog, with only the page of that title when one is given; true on OK.
    static bool editOptions(AppController& controller, QWidget* parent, const QString& onlyPage = {});

private:
    AppController& controller_;
    QMainWindow& window_;
};
