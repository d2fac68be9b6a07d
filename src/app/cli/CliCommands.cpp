#include "app/cli/CliCommands.h"

const QList<CliCommand>& cliCommands()
{
    static const QList<CliCommand> table = {
        infoCommand(),
        checkCommand(),
        classifyCommand(),
        repairCommand(),
        scanAddressesCommand(),
        exportCommand(),
        backupCommand(),
        importCommand(),
        sendCommand(),
        sendRunCommand(),
        sendLogCommand(),
        resendCommand(),
        sendDueCommand(),
        rtfToHtmlCommand(),
    };
    return table;
}

const CliCommand* findCliCommand(const QString& name)
{
    for (const CliCommand& command : cliCommands())
        if (command.name == name)
            return &command;
    return nullptr;
}
