#pragma once

#include <QLockFile>
#include <QString>

namespace platform {

// Tells whether another copy of the program already runs for this user. The lock file carries the
// holder's process id, so a copy that crashed leaves a stale lock that the next start takes over.
class SingleInstance {
public:
    enum class State { First, AlreadyRunning };

    explicit SingleInstance(const QString &lockPath = defaultLockPath());

    // Takes the lock if nobody holds it. A lock that cannot be made at all (unwritable folder) does
    // not keep the user from working: that counts as the first copy.
    State acquire();
    void release();

    static QString defaultLockPath();

private:
    QLockFile lock_;
};

} // namespace platform
