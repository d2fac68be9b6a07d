#pragma once

#include <QString>

// Adds count entries to the folder's entries table in one transaction, as another
// copy or a script would: "member000000@example.test" named "Member number 0", ...
void addEntries(const QString& folder, int count);
