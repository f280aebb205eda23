#include "model/AppSettings.h"

QRectF AppSettings::savedWindowFrame()
{
    const bool originSaved = windowOriginSaved();
    return QRectF(originSaved ? windowOriginX() : 0, originSaved ? windowOriginY() : 0,
                  windowWidth(), windowHeight());
}

void AppSettings::saveWindowFrame(const QRectF &frame)
{
    windowWidth.set(frame.width());
    windowHeight.set(frame.height());
    windowOriginX.set(frame.x());
    windowOriginY.set(frame.y());
    windowOriginSaved.set(true);
}

void AppSettings::postSettingsDidChange()
{
    SettingsNotifier::post();
}
