#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The whole of corvanel-cli: arguments is the full command line (the program's
// name first), executableFolder where the program lives (the home when
// CORVANEL_HOME is not set). Help and version go to out; a bad call is said on err.
// Returns the exit code: 0 done, 1 the command ran and failed (also when it told of
// a warning or error, or its output could not be written), 2 a bad call (unknown
// command, unknown option, a missing or unexpected argument).
int runCli(const QStringList& arguments, const QString& executableFolder, QTextStream& out,
           QTextStream& err);
