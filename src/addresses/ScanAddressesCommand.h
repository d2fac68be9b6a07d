#pragma once

#include <QStringList>
#include <QTextStream>

// The command-line scan: prints the addresses found in each file, one per line,
// in order of appearance. Returns 0, or 1 when a file could not be read (the
// other files are still scanned; each failure is reported on `err`).
int runScanAddresses(const QStringList& files, const QStringList& exceptList, QTextStream& out,
                     QTextStream& err);

// As above with the built-in exception list, reporting failures on stderr.
int runScanAddresses(const QStringList& files, QTextStream& out);
