#pragma once

#include "reports/ViewFilters.h"

#include <QString>

// The two buttons beside the "Other" view choice: "Select" works on the selected
// rows, "Select All" on every entry (or every displayed one). Hidden without text.
struct OtherViewButtons {
    enum class Work { None, MarkViewed, AllowSending, Delete, ClearTag };
    QString selectText;
    QString selectHint;
    QString allText;
    QString allHint;
    Work work = Work::None;
};

OtherViewButtons otherViewButtons(OtherView view);
