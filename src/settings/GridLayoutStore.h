#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The saved state of one column of the list grid.
struct GridColumnLayout {
    QString name;  // the column's component name, e.g. "dxDBGrid1Item"
    bool Visible = true;
    int Index = 0;       // position among the columns
    int GroupIndex = -1; // grouping level; -1 not grouped
    int Width = 64;
    int Sorted = 0;      // 0 not sorted, 1 ascending, 2 descending
};

struct GridLayout {
    QList<GridColumnLayout> columns;
    bool ShowGroupPanel = false;
    bool FlatStyle = false;
    bool AutoWidth = false;
    bool AutoPreview = false;
};

// The per-user store of the list grid's layout and the main window's placement
// (the registry of the desktop this program came from): one group per column,
// the grid's switches at the top, the window geometry under "Layout/Main".
// Pure data in and out; the main window applies it to its widgets.
class GridLayoutStore {
public:
    // The user's own store: organisation "Tamrix", application "Corvanel".
    GridLayoutStore();
    // A store in the given file (native format), for tests and portable use.
    explicit GridLayoutStore(const QString& fileName);
    ~GridLayoutStore();
    GridLayoutStore(const GridLayoutStore&) = delete;
    GridLayoutStore& operator=(const GridLayoutStore&) = delete;

    // The grid's columns in their design order.
    static const QStringList& columnNames();

    void save(const GridLayout& layout);
    // The current layout with each column's stored values laid over it; a value
    // never stored keeps the column's current state. The grid's switches are
    // written for other tools but not read back (ShowGroupPanel lives in
    // Settings.ini), so they stay as given.
    GridLayout load(GridLayout current) const;

    void saveWindowGeometry(const QByteArray& geometry);
    QByteArray windowGeometry() const;  // empty when never saved

    bool sync();  // false when the store could not be written

private:
    std::unique_ptr<QSettings> store_;
};
