#pragma once

#include "app/cli/CliCommand.h"

#include <QList>

// Every command of corvanel-cli, one file each; the table lists them in the order
// the help shows them. A new command is a new file and a line in the table.
CliCommand infoCommand();
CliCommand checkCommand();
CliCommand classifyCommand();
CliCommand repairCommand();
CliCommand scanAddressesCommand();
CliCommand exportCommand();
CliCommand backupCommand();
CliCommand importCommand();
CliCommand sendCommand();
CliCommand sendRunCommand();
CliCommand sendLogCommand();
CliCommand resendCommand();
CliCommand sendDueCommand();
CliCommand rtfToHtmlCommand();

const QList<CliCommand>& cliCommands();
// The command of that name; nullptr when there is none.
const CliCommand* findCliCommand(const QString& name);
