#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"

namespace {
int repair(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    return session->db.OptimiseDatabase(false) ? 0 : 1;
}
}  // namespace

CliCommand repairCommand()
{
    return {"repair",
            "Repairs the tables of the database, then reclaims their unused space (asks first).",
            {},
            {},
            repair};
}
