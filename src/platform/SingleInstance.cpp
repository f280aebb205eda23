#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/socket.h>
#endif

namespace {

constexpr int requestTimeoutMs = 2000;
constexpr int connectRetryMs = 3000;
constexpr qsizetype maxRequestLength = 64;
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");

QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

// Abstract socket names are open to every local user: only the owner's requests are taken.
bool isFromSameUser(QLocalSocket *socket)
{
#ifdef Q_OS_LINUX
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                   &length) != 0)
        return false;
    return credentials.uid == getuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const
{
    return runtimeFolder() + QStringLiteral("/%1-%2.lock").arg(m_key).arg(getuid());
}

// The channel name follows the lock's folder, so everything that shares a lock shares a channel
// (and a test's private runtime folder gets a private channel).
QString SingleInstance::serverName() const
{
    const QByteArray folderHash =
        QCryptographicHash::hash(runtimeFolder().toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("%1-%2-%3")
        .arg(m_key)
        .arg(getuid())
        .arg(QString::fromLatin1(folderHash.left(12)));
}

bool SingleInstance::tryBecomePrimary()
{
    if (m_server)
        return true;
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock left by a crashed Zorv is stale (its process is gone) and is taken over; age alone
    // never makes it stale, since Zorv runs for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    auto *server = new QLocalServer(this);
#ifdef Q_OS_LINUX
    // Nothing is left behind on disk after a crash.
    server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
#else
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName());
#endif
    if (!server->listen(serverName())) {
        delete server;
        return false;
    }
    m_lock = std::move(lock);
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!isFromSameUser(socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxRequestLength)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(maxRequestLength + 2);
    if (!line.endsWith('\n')) {
        socket->abort();
        return;
    }
    const QString request = QString::fromUtf8(line).trimmed();
    socket->write(acknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    if (!request.isEmpty())
        emit requestReceived(request);
}

bool SingleInstance::sendToPrimary(const QString &request)
{
    QDeadlineTimer deadline(connectRetryMs);
    while (!trySend(request)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool SingleInstance::trySend(const QString &request)
{
    QLocalSocket socket;
#ifdef Q_OS_LINUX
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
#endif
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(requestTimeoutMs))
        return false;
    socket.write(request.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(requestTimeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(requestTimeoutMs))
            return false;
    }
    return socket.readLine() == acknowledgement;
}
