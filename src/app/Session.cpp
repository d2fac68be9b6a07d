#include "app/Session.h"

Session::Session(Folders f, Ui& u)
    : ui(u),
      folders(std::move(f)),
      logs(settings.logSwitches(), folders.application, [this] { return db.resolvedFolder(); }),
      db(folders, settings, logs, ui),
      statistics(db.database(), [this] { return db.entryCount(); })
{
    db.recordRefresh = statistics.refreshHook();
}
