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
    // The grid shows the entries under the filter expression; attached false
    // detaches it (the "Information" tab, no database).
    virtual void showEntries(const QString& filter, bool attached) = 0;
    // The line under the grid.
    virtual void setCountLine(const QString& text) = 0;
    // Off while a long command runs: the grid neither reads nor repaints the table.
    virtual void setGridFollowsTable(bool follows) = 0;
    // 0 loads every row; otherwise the grid holds windows of that many rows.
    virtual void SetLoadAllRecords(int cacheRows) = 0;
    virtual void refreshInformation() = 0;
    // A passing line in the status display; empty clears it.
    virtual void showStatus(const QString& text) = 0;
    virtual void readGridLayout() = 0;
    virtual void saveGridLayout() = 0;
};
