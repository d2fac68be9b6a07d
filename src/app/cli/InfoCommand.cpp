#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"

namespace {
int info(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    call.out << "Database folder: " << session->db.resolvedFolder() << Qt::endl
             << "Database name: " << session->db.databaseName() << Qt::endl
             << "Entries: " << session->db.entryCount() << Qt::endl
             << "Groups: " << session->settings.Cats.size() << Qt::endl;
    return 0;
}
}  // namespace

CliCommand infoCommand()
{
    return {"info", "Prints the database folder, name, number of entries and of groups.", {}, {},
            info};
}
