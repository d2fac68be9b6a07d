#pragma once

#include <QString>

// What the application's logic asks of the main window. The desktop window
// implements it; without a window (command line, tests) nothing is drawn.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void setCaption(const QString& caption) = 0;
    // Selects the tab and shows its panels, without running the tab-change logic.
    virtual void showTab(int tab) = 0;
    // The entries shown follow the current filter; rederive rebuilds the filter
    // from the tab's own controls first.
    virtual void refreshListDisplay(bool rederive) = 0;
    virtual void refreshInformation() = 0;
    // Re-applies the group panel's choice to the list (after a click in the group list).
    virtual void reapplyGroupFilter() = 0;
    // A passing line in the status display; empty clears it.
    virtual void showStatus(const QString& text) = 0;
    virtual void readGridLayout() = 0;
    virtual void saveGridLayout() = 0;
};
