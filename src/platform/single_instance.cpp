#include "platform/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

SingleInstance::SingleInstance(const QString &lockPath) : lock_(lockPath)
{
    // Only a dead holder makes the lock stale, never its age: the program runs for hours.
    lock_.setStaleLockTime(0);
}

SingleInstance::State SingleInstance::acquire()
{
    if (lock_.isLocked())
        return State::First;
    if (lock_.tryLock(0))
        return State::First;
    return lock_.error() == QLockFile::LockFailedError ? State::AlreadyRunning : State::First;
}

void SingleInstance::release()
{
    if (lock_.isLocked())
        lock_.unlock();
}

QString SingleInstance::defaultLockPath()
{
    // The runtime folder is private to the user; without one, a per-user name in the temporary folder.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/vennlo.lock");
    return QDir::tempPath() + QStringLiteral("/vennlo-") + QString::number(::getuid()) + QStringLiteral(".lock");
}

} // namespace platform
