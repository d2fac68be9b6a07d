#pragma once

#include <QLockFile>
#include <QString>

class Ui;

// One send run per database folder: the desktop's send and schedule timer and the
// command line's runs all take this lock file in the folder. A copy that was
// killed leaves a stale file, which the next one takes over.
class SendRunLock {
public:
    explicit SendRunLock(const QString& databaseFolder);

    // False, after saying "Another copy of Corvanel is sending to this list.", when
    // another copy holds it.
    bool acquire(Ui& ui);
    // The same, saying nothing.
    bool tryAcquire() { return lock_.isLocked() || lock_.tryLock(0); }
    bool held() const { return lock_.isLocked(); }

private:
    QLockFile lock_;
};
