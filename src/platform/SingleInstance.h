#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running Zorv per user. The first start takes a lock file in a private folder of the
// user's runtime folder and then listens on a socket file beside it; a later start finds the
// lock taken, hands its request ("show", "toggle", "settings") to the running instance and
// exits. The folder is the user's own (0700, checked), so no other user can reach or take the
// channel.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        primary,     // the lock is ours: listen() next
        secondary,   // another instance holds the lock: hand the request over
        unavailable, // the private folder is not safely ours: run alone, without a channel
    };

    // `key` names the lock and the socket; tests use their own to stay apart from a real Zorv.
    explicit SingleInstance(const QString &key = QStringLiteral("zorv"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Needs no application object, so a second start decides before it loads anything.
    Claim claim();
    // Only for the lock holder, once the event loop's application object exists. A socket
    // left behind by a crash is removed first.
    bool listen();
    bool tryBecomePrimary() { return claim() == Claim::primary && listen(); }
    // Delivers one request to the running instance and waits for its acknowledgement. Retries
    // for a short while, since the primary may be between taking the lock and listening.
    bool sendToPrimary(const QString &request);

    QString folderPath() const;
    QString lockFilePath() const;
    QString socketPath() const;

signals:
    void requestReceived(const QString &request);

private:
    void acceptConnections();
    void watch(QLocalSocket *socket);
    void drop(QLocalSocket *socket);
    void readRequest(QLocalSocket *socket);

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    // Oldest first; never more than a handful, whatever a client does.
    QList<QLocalSocket *> m_connections;
};
