#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <functional>

class CliCall;

// One argument a command takes after its name. The last one of a command may be
// repeated: it then takes one value or more.
struct CliArgument {
    QString name;  // as the usage shows it: FILE
    QString description;
    bool repeated = false;
};

// One command of corvanel-cli: what the help shows of it, and its run. The entry
// checks the options and the number of arguments before run is called, so run sees
// only well-formed calls; it returns 0, or 1 when it ran and failed.
struct CliCommand {
    QString name;
    QString summary;  // one line: the command list of --help and of the README
    QList<QCommandLineOption> options;
    QList<CliArgument> arguments;
    std::function<int(CliCall&)> run;
};
