#pragma once

#include <QString>

struct ListContext;

// The question offered after the exception list was edited (and is not empty).
QString exceptionScanQuestion();

// Removes every entry whose address contains a line of the exception list (both
// compared upper-cased), noting each in the errors list so it can be reprocessed.
// Shows the cancellable progress "Checking for Exceptions"; entries found before a
// cancel are still removed. Returns the number removed.
int ScanDBForExceptions(const ListContext& ctx);
