#include "platform/SingleInstance.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <memory>

namespace {

// A client blocks, so it runs beside the event loop that serves the primary.
void runInThread(const std::function<void()> &work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->start();
    while (!thread->wait(10))
        QCoreApplication::processEvents();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    // CTest gives a private runtime folder, which keeps this away from a running Zorv.
    void initTestCase() { QVERIFY(!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")); }

    // Only well-formed requests, after a closed or crashed (stale files) primary or a bad client.
    void primaryServes_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::newRow("after a closed primary") << QByteArray();
        QTest::newRow("after a crashed primary") << QByteArray();
        QTest::newRow("after a too long request") << QByteArray(200, 'x');
        QTest::newRow("after a too long line") << QByteArray(200, 'x') + '\n';
        QTest::newRow("after an empty line") << QByteArray("\n");
        // A client that says nothing must not hold its descriptor for ever.
        QTest::newRow("after a silent client") << QByteArray("");
    }

    void primaryServes()
    {
        QFETCH(QByteArray, garbage);
        const QString key = QStringLiteral("zorv-test-%1").arg(++m_keys);
        if (garbage.isNull())
            QVERIFY(SingleInstance(key).tryBecomePrimary());
        SingleInstance primary(key);
        if (QByteArray(QTest::currentDataTag()).contains("crashed")) {
            QFile lock(primary.lockFilePath());
            QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write("2147483646\nzorv\n\n") > 0);
            QVERIFY(QFile(primary.socketPath()).open(QIODevice::WriteOnly));
        }
        QVERIFY(primary.tryBecomePrimary());
        QSignalSpy received(&primary, &SingleInstance::requestReceived);
        const QString name = primary.socketPath();
        bool dropped = true;
        if (!garbage.isNull())
            runInThread([&] {
                QLocalSocket socket;
                socket.connectToServer(name);
                socket.write(garbage);
                socket.waitForBytesWritten(2000);
                dropped = socket.waitForDisconnected(5000);
            });
        QVERIFY(dropped);
        std::atomic<bool> delivered = false;
        runInThread(
            [&] { delivered = SingleInstance(key).sendToPrimary(QStringLiteral("toggle")); });
        QVERIFY(delivered);
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.first().first().toString(), "toggle");
    }

    // One primary per name and user, locked in a private folder of the runtime folder.
    void secondInstanceIsRefused()
    {
        SingleInstance lonely(QStringLiteral("zorv-test-b"));
        QVERIFY(!lonely.sendToPrimary(QStringLiteral("show")));
        SingleInstance primary(QStringLiteral("zorv-test-b"));
        QCOMPARE(primary.folderPath(), qEnvironmentVariable("XDG_RUNTIME_DIR") + "/zorv");
        QVERIFY(primary.tryBecomePrimary());
        QCOMPARE(QFileInfo(primary.folderPath()).permissions() & 0x0777,
                 QFile::Permissions(0x0700));
        QVERIFY(primary.tryBecomePrimary()); // asking again changes nothing
        SingleInstance second(QStringLiteral("zorv-test-b"));
        QCOMPARE(second.claim(), SingleInstance::Claim::secondary);
        SingleInstance other(QStringLiteral("zorv-test-other"));
        QVERIFY(other.tryBecomePrimary());
    }

    // A folder that is not plainly ours could let another user reach or take the channel.
    void foreignFolderIsNotUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a link to another folder") << "link";
        QTest::newRow("a file") << "file";
        if (getuid() == 0)
            QTest::newRow("another user's folder") << "foreign";
    }

    void foreignFolderIsNotUsed()
    {
        QFETCH(QString, kind);
        QTemporaryDir runtime;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        const QString folder = runtime.path() + "/zorv";
        if (kind == "link")
            QVERIFY(QFile::link(runtime.path(), folder));
        else if (kind == "file")
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        else
            QVERIFY(mkdir(QFile::encodeName(folder), 0700) == 0 &&
                    chown(QFile::encodeName(folder), 65534, 65534) == 0);
        SingleInstance instance(QStringLiteral("zorv-test-c"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a private folder"));
        QCOMPARE(instance.claim(), SingleInstance::Claim::unavailable);
        qputenv("XDG_RUNTIME_DIR", saved);
    }

private:
    int m_keys = 0;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
