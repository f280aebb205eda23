#include "platform/SingleInstance.h"

#include "platform/InstanceChannel.h"
#include "platform/Log.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int connectRetryMs = 3000;
constexpr qsizetype maxConnections = 16;

// The folder already keeps other users out; this is the second lock on the door.
bool isFromSameUser(QLocalSocket *socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                   &length) != 0)
        return false;
    return credentials.uid == getuid();
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::folderPath() const
{
    return QFile::decodeName(InstanceChannel::folderPath().c_str());
}

QString SingleInstance::lockFilePath() const
{
    return QFile::decodeName(InstanceChannel::lockFilePath(m_key.toStdString()).c_str());
}

QString SingleInstance::socketPath() const
{
    return QFile::decodeName(InstanceChannel::socketPath(m_key.toStdString()).c_str());
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_lock)
        return Claim::primary;
    if (!InstanceChannel::makeFolderPrivate(InstanceChannel::folderPath())) {
        logLine(QStringLiteral("Zorv: %1 is not a private folder of this user; running without "
                               "the single-instance channel")
                    .arg(folderPath()));
        return Claim::unavailable;
    }
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock left by a crashed Zorv is stale (its process is gone) and is taken over; age alone
    // never makes it stale, since Zorv runs for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() == QLockFile::LockFailedError ? Claim::secondary : Claim::unavailable;
    m_lock = std::move(lock);
    return Claim::primary;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    if (!m_lock)
        return false;
    // Only the lock holder gets here, so a socket file already there was left by a crash.
    QLocalServer::removeServer(socketPath());
    auto *server = new QLocalServer(this);
    if (!server->listen(socketPath())) {
        logLine(QStringLiteral("Zorv: cannot listen on %1: %2")
                    .arg(socketPath(), server->errorString()));
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!isFromSameUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        watch(socket);
        // Idle clients never exhaust the descriptors: the oldest makes room for the newest.
        if (m_connections.size() > maxConnections)
            drop(m_connections.constFirst());
    }
}

void SingleInstance::watch(QLocalSocket *socket)
{
    m_connections.append(socket);
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
    // A request is one short line sent at once; a client that has not sent it by now never will.
    QTimer::singleShot(InstanceChannel::requestTimeoutMs, socket, [this, socket] { drop(socket); });
    if (socket->bytesAvailable() > 0)
        readRequest(socket);
}

void SingleInstance::drop(QLocalSocket *socket)
{
    if (!m_connections.removeOne(socket))
        return;
    socket->abort();
    socket->deleteLater();
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > InstanceChannel::maxRequestLength)
            drop(socket);
        return;
    }
    const QByteArray line = socket->readLine(InstanceChannel::maxRequestLength + 2);
    if (!line.endsWith('\n')) {
        drop(socket);
        return;
    }
    const QString request = QString::fromUtf8(line).trimmed();
    socket->write(InstanceChannel::acknowledgement.data(),
                  qint64(InstanceChannel::acknowledgement.size()));
    socket->flush();
    socket->disconnectFromServer();
    if (!request.isEmpty())
        emit requestReceived(request);
}

bool SingleInstance::sendToPrimary(const QString &request)
{
    const std::string line = request.toStdString() + '\n';
    const std::string path = QFile::encodeName(socketPath()).toStdString();
    const QDeadlineTimer deadline(connectRetryMs);
    while (!InstanceChannel::send(path, line)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}
