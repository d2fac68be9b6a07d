#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct ListContext;

// The search panel's field choice: its captions in order, and the entry field of each.
const QStringList& searchFieldCaptions();
QString searchField(int choice);  // empty for no choice

struct SearchRequest {
    int field = -1;  // index into searchFieldCaptions; -1 none chosen
    QString text;    // empty: entries whose field is empty
    bool matchCase = false;
    bool withinResults = false;  // "Search within Results" narrows the last hits
};

// btnSearchClick: marks the hits in every entry with one statement. showHits
// applies the hit filter to the view and returns the rows the grid shows. False
// when nothing was searched (no field, exclusive database, or an error, told).
bool btnSearchClick(const ListContext& ctx, const SearchRequest& request,
                    const std::function<qint64()>& showHits);
