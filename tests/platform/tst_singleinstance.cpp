#include "platform/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <unistd.h>

#include <atomic>
#include <functional>
#include <memory>

namespace {

// A client blocks while it waits for the primary, so it runs beside the event loop that
// serves the primary.
void runInThread(const std::function<void()> &work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->start();
    while (!thread->wait(10))
        QCoreApplication::processEvents();
}

bool sendFromThread(const QString &key, const QString &request)
{
    std::atomic<bool> delivered = false;
    runInThread([&] {
        SingleInstance secondary(key);
        delivered = secondary.sendToPrimary(request);
    });
    return delivered;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // CTest gives a private runtime folder, which keeps this away from a running Zorv.
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"));
    }

    void requestsReachThePrimary_data()
    {
        QTest::addColumn<QString>("request");
        QTest::newRow("show") << "show";
        QTest::newRow("toggle") << "toggle";
    }

    void requestsReachThePrimary()
    {
        QFETCH(QString, request);
        SingleInstance primary(QStringLiteral("zorv-test-a"));
        QVERIFY(primary.tryBecomePrimary());
        QSignalSpy received(&primary, &SingleInstance::requestReceived);
        QVERIFY(sendFromThread(QStringLiteral("zorv-test-a"), request));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.first().first().toString(), request);
    }

    // One primary per name and user, locked in the private runtime folder; with none there is
    // nothing to send to.
    void secondInstanceIsRefused()
    {
        SingleInstance lonely(QStringLiteral("zorv-test-b"));
        QVERIFY(!lonely.sendToPrimary(QStringLiteral("show")));
        SingleInstance primary(QStringLiteral("zorv-test-b"));
        QVERIFY(primary.lockFilePath().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR") + '/'));
        QVERIFY(primary.serverName().contains(QString::number(getuid())));
        QVERIFY(primary.tryBecomePrimary());
        QVERIFY(QFile::exists(primary.lockFilePath()));
        QVERIFY(primary.tryBecomePrimary()); // asking again changes nothing
        SingleInstance second(QStringLiteral("zorv-test-b"));
        QVERIFY(!second.tryBecomePrimary());
        SingleInstance other(QStringLiteral("zorv-test-other"));
        QVERIFY(other.tryBecomePrimary());
    }

    // A crashed Zorv leaves its lock behind; its process is gone, so the lock is stale.
    void staleLockIsTakenOver()
    {
        SingleInstance primary(QStringLiteral("zorv-test-e"));
        QFile stale(primary.lockFilePath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("2147483646\nzorv\n\n");
        stale.close();
        QVERIFY(primary.tryBecomePrimary());
    }

    void primaryCanFollowAClosedOne()
    {
        auto first = std::make_unique<SingleInstance>(QStringLiteral("zorv-test-f"));
        QVERIFY(first->tryBecomePrimary());
        first.reset();
        SingleInstance next(QStringLiteral("zorv-test-f"));
        QVERIFY(next.tryBecomePrimary());
        QSignalSpy received(&next, &SingleInstance::requestReceived);
        QVERIFY(sendFromThread(QStringLiteral("zorv-test-f"), QStringLiteral("show")));
        QTRY_COMPARE(received.size(), 1);
    }

    void malformedRequestsAreDropped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("too long") << QByteArray(200, 'x');
        QTest::newRow("too long, then a line") << QByteArray(200, 'x') + '\n';
        QTest::newRow("empty line") << QByteArray("\n");
    }

    void malformedRequestsAreDropped()
    {
        QFETCH(QByteArray, bytes);
        SingleInstance primary(QStringLiteral("zorv-test-g"));
        QVERIFY(primary.tryBecomePrimary());
        QSignalSpy received(&primary, &SingleInstance::requestReceived);
        const QString name = primary.serverName();
        runInThread([&] {
            QLocalSocket socket;
            socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
            socket.connectToServer(name);
            if (socket.waitForConnected(2000)) {
                socket.write(bytes);
                socket.waitForBytesWritten(2000);
                socket.waitForDisconnected(500);
            }
        });
        QTest::qWait(50);
        QCOMPARE(received.size(), 0);
        // The channel still serves well-formed requests afterwards.
        QVERIFY(sendFromThread(QStringLiteral("zorv-test-g"), QStringLiteral("toggle")));
        QTRY_COMPARE(received.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
