#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "exchange/BackUpFile.h"

namespace {
int backup(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    return SaveBackUpFile(session->db, session->settings, session->ui, true) ? 0 : 1;
}
}  // namespace

CliCommand backupCommand()
{
    return {"backup",
            "Writes every entry to the back-up file (the Default Back Up Filename option, else backup.csv "
            "in the database folder) and says where it went.",
            {},
            {},
            backup};
}
