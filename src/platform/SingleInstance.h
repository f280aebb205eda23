#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running Zorv per user. The first start takes a lock file in the user's runtime folder and
// then listens on a local socket; a later start finds the lock taken, hands its request ("show",
// or "toggle" for `zorv --toggle`) to the running instance and exits.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `key` names the lock and the channel; tests use their own to stay apart from a real Zorv.
    explicit SingleInstance(const QString &key = QStringLiteral("zorv"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening. False when another instance holds the lock (or the
    // channel), which then is the one to talk to.
    bool tryBecomePrimary();
    // Delivers one request to the running instance and waits for its acknowledgement. Retries
    // for a short while, since the primary may be between taking the lock and listening.
    bool sendToPrimary(const QString &request);

    QString lockFilePath() const;
    QString serverName() const;

signals:
    void requestReceived(const QString &request);

private:
    void acceptConnections();
    void readRequest(QLocalSocket *socket);
    bool trySend(const QString &request);

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
