#pragma once

#include <QWidget>

// The window shown while the program starts: the name and the version.
class TdlgSplash : public QWidget {
    Q_OBJECT
public:
    explicit TdlgSplash(QWidget* parent = nullptr);
    // Shows the window and paints it at once, before the event loop runs.
    void showNow();
};
