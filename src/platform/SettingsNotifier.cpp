#include "platform/SettingsNotifier.h"

SettingsNotifier *SettingsNotifier::instance()
{
    // Lives as long as the process; observers may still disconnect during shutdown.
    static SettingsNotifier *notifier = new SettingsNotifier;
    return notifier;
}

void SettingsNotifier::post()
{
    emit instance()->settingsDidChange();
}
