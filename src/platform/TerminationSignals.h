#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, a `kill`, Ctrl+C in a terminal) turned into a Qt
// signal on the main thread, so Zorv quits the way Ctrl+Q does and saves what it holds.
// One instance per process; the handlers stay installed for its life.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};
