#include "mailings/SendRunLock.h"

#include "base/Folders.h"
#include "base/Ui.h"

SendRunLock::SendRunLock(const QString& databaseFolder) : lock_(folderWithSlash(databaseFolder) + "Sending.lck")
{
    // A run may hold it for days; only a dead owner makes it stale.
    lock_.setStaleLockTime(0);
}

bool SendRunLock::acquire(Ui& ui)
{
    if (tryAcquire())
        return true;
    ui.warn(QStringLiteral("Another copy of Corvanel is sending to this list."));
    return false;
}
