#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program from running on the same configuration
// folder: a lock file there, held for as long as this object lives.
class InstanceGuard {
public:
    static constexpr const char* kLockName = "Corvanel.lock";

    explicit InstanceGuard(const QString& configFolder);
    // False when another running copy holds the lock.
    bool acquire();

    static QString alreadyRunningText() { return "Corvanel is already running."; }

private:
    QLockFile lock_;
};
