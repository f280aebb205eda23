#pragma once

#include <QObject>

// The one process-wide announcement that preferences changed. Observers connect to
// settingsDidChange() and re-read what they need; it carries nothing. The signal is emitted
// synchronously: every observer has run when post() returns.
class SettingsNotifier : public QObject
{
    Q_OBJECT

public:
    static SettingsNotifier *instance();
    static void post();

signals:
    void settingsDidChange();

private:
    SettingsNotifier() = default;
};
