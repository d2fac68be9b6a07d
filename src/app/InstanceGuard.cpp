#include "app/InstanceGuard.h"

InstanceGuard::InstanceGuard(const QString& configFolder) : lock_(configFolder + kLockName)
{
    // The lock lives as long as the program; it is never stale while we run.
    lock_.setStaleLockTime(0);
}

bool InstanceGuard::acquire()
{
    // A lock left by a copy that crashed names a dead process and is taken over.
    return lock_.tryLock(0);
}
