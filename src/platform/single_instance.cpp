#include "platform/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

namespace {
QString socketPathFor(const QString &lockPath)
{
    QString base = lockPath;
    if (base.endsWith(QStringLiteral(".lock")))
        base.chop(5);
    return base + QStringLiteral(".socket");
}
} // namespace

SingleInstance::SingleInstance(const QString &lockPath, QObject *parent)
    : QObject(parent), lock_(lockPath), socketPath_(socketPathFor(lockPath))
{
    // Only a dead holder makes the lock stale, never its age: the program runs for hours.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close(); // removes the socket file while the lock is still ours
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
    if (server_)
        server_->close();
    if (lock_.isLocked())
        lock_.unlock();
}

bool SingleInstance::listen()
{
    if (!lock_.isLocked())
        return false;
    if (server_ && server_->isListening())
        return true;
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::readHandOver);
    }
    // We hold the lock: a socket file left there is a crashed copy's.
    QLocalServer::removeServer(socketPath_);
    return server_->listen(socketPath_);
}

void SingleInstance::readHandOver()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->setReadBufferSize(MaxMessageBytes + 1);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxMessageBytes)
                    socket->abort();
                return;
            }
            const QString path = QString::fromUtf8(socket->readLine(MaxMessageBytes + 1)).chopped(1);
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            if (QDir::isAbsolutePath(path))
                Q_EMIT fileHandedOver(path);
        });
    }
}

bool SingleInstance::handOver(const QString &path, int timeoutMs) const
{
    const QByteArray message = path.toUtf8() + '\n';
    if (message.size() > MaxMessageBytes || path.contains(QLatin1Char('\n')))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine(16) == "ok\n";
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
