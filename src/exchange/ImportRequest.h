#pragma once

#include "subscriptions/ContactRecord.h"

#include <QString>

// One line of an import as the list rules take it.
struct ImportRequest {
    int lineNumber = 0;  // from 1
    QString line;        // as the file holds it, for the report
    QString address;     // may still carry a display name
    QString group;
    QString name;
    TCVNAddress contact;
};
