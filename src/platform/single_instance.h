#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

// Tells whether another copy of the program already runs for this user. The lock file carries the
// holder's process id, so a copy that crashed leaves a stale lock that the next start takes over.
// The first copy also listens on a local socket beside the lock, over which a later start hands it
// the file it was given (a file opened from the file manager while the program runs).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class State { First, AlreadyRunning };

    explicit SingleInstance(const QString &lockPath = defaultLockPath(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock if nobody holds it. A lock that cannot be made at all (unwritable folder) does
    // not keep the user from working: that counts as the first copy.
    State acquire();
    void release();

    // The first copy: accepts handed-over files from now on (delivered once the event loop runs).
    // False when the socket cannot be made; the program then works alone, as before.
    bool listen();
    // A later start: gives path to the running copy. True only when that copy confirmed it took it.
    // Blocks for at most timeoutMs; it makes its own socket, so it may run on any thread.
    bool handOver(const QString &path, int timeoutMs = 5000) const;

    QString socketPath() const { return socketPath_; }
    static QString defaultLockPath();
    // The longest path a handed-over message may carry, in bytes; a longer one is dropped unread.
    static constexpr qint64 MaxMessageBytes = 64 * 1024;

Q_SIGNALS:
    // A later start handed this file over (an absolute path).
    void fileHandedOver(const QString &path);

private:
    void readHandOver();

    QLockFile lock_;
    QString socketPath_;
    QLocalServer *server_ = nullptr;
};

} // namespace platform
