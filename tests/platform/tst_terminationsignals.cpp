#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

// A signal must reach the event loop as a Qt signal instead of ending the process unsaved.
class TestTerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void signalBecomesQtSignal_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalBecomesQtSignal()
    {
        QFETCH(int, number);
        TerminationSignals signals_;
        QVERIFY(signals_.isWatching());
        QSignalSpy spy(&signals_, &TerminationSignals::terminationRequested);

        ::raise(number);
        ::raise(number);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.front().front().toInt(), number);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
