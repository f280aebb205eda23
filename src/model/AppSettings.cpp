#include "model/AppSettings.h"

#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"

#include <algorithm>
#include <cmath>

namespace {

const QString toggleHotkeyKey = QStringLiteral("toggleHotkey");
const QString confirmTriggerKey = QStringLiteral("confirmTrigger");
const QString afterConfirmBehaviorKey = QStringLiteral("afterConfirmBehavior");
const QString returnToPreviousAppKey = QStringLiteral("returnToPreviousApp");
const QString autoCollapseKey = QStringLiteral("autoCollapseWhenInactive");
const QString dimKey = QStringLiteral("dimWhenInactive");
const QString inactiveOpacityKey = QStringLiteral("inactiveOpacityPercent");
const QString windowOpacityKey = QStringLiteral("windowOpacity");
const QString windowWidthKey = QStringLiteral("windowWidth");
const QString windowHeightKey = QStringLiteral("windowHeight");
const QString originSavedKey = QStringLiteral("windowOriginSaved");
const QString originXKey = QStringLiteral("windowOriginX");
const QString originYKey = QStringLiteral("windowOriginY");
const QString fontSizeKey = QStringLiteral("fontSize");
const QString maxCardsKey = QStringLiteral("maxCards");
const QString maxVisibleMemosKey = QStringLiteral("maxVisibleMemos");
const QString previewLengthKey = QStringLiteral("cardPreviewMaxLength");
const QString editorThemeKey = QStringLiteral("editorTheme");
const QString editorLanguageKey = QStringLiteral("editorLanguage");
const QString editorFontFamilyKey = QStringLiteral("editorFontFamily");
const QString peekBarAccentKey = QStringLiteral("peekBarAccent");

PreferencesStore &store()
{
    return PreferencesStore::standard();
}

// Enumerations read an absent value as the empty string, which matches no raw value.
QString storedString(const QString &key)
{
    return store().stringValue(key).value_or(QString());
}

// The many "a value of zero or less means unset" reads.
double positiveDouble(const QString &key, double fallback)
{
    const double value = store().doubleValue(key).value_or(0);
    return value > 0 ? value : fallback;
}

int positiveInt(const QString &key, int fallback)
{
    const int value = store().intValue(key).value_or(0);
    return value > 0 ? value : fallback;
}

void writeString(const QString &key, const QString &value)
{
    store().setString(key, value);
    SettingsNotifier::post();
}

} // namespace

ToggleHotkeyPreset AppSettings::toggleHotkeyPreset()
{
    return resolveToggleHotkeyPreset(storedString(toggleHotkeyKey));
}

void AppSettings::setToggleHotkeyPreset(ToggleHotkeyPreset preset)
{
    writeString(toggleHotkeyKey, rawValue(preset));
}

ConfirmTrigger AppSettings::confirmTrigger()
{
    return resolveConfirmTrigger(storedString(confirmTriggerKey));
}

void AppSettings::setConfirmTrigger(ConfirmTrigger trigger)
{
    writeString(confirmTriggerKey, rawValue(trigger));
}

AfterConfirmBehavior AppSettings::afterConfirmBehavior()
{
    if (const auto stored = afterConfirmBehaviorFromRaw(storedString(afterConfirmBehaviorKey)))
        return *stored;
    // Older versions stored two booleans instead; the derived value is not written back.
    const std::optional<bool> returnToPrevious = store().boolValue(returnToPreviousAppKey);
    const std::optional<bool> autoCollapse = store().boolValue(autoCollapseKey);
    if (!returnToPrevious && !autoCollapse)
        return AfterConfirmBehavior::stayOpen;
    if (!autoCollapse.value_or(true))
        return AfterConfirmBehavior::stayOpen;
    return returnToPrevious.value_or(false) ? AfterConfirmBehavior::returnAndCollapse
                                            : AfterConfirmBehavior::collapseOnly;
}

void AppSettings::setAfterConfirmBehavior(AfterConfirmBehavior behavior)
{
    writeString(afterConfirmBehaviorKey, rawValue(behavior));
}

bool AppSettings::autoCollapseWhenInactive()
{
    return store().boolValue(autoCollapseKey).value_or(true);
}

void AppSettings::setAutoCollapseWhenInactive(bool on)
{
    store().setBool(autoCollapseKey, on);
}

bool AppSettings::dimWhenInactive()
{
    return store().boolValue(dimKey).value_or(true);
}

void AppSettings::setDimWhenInactive(bool on)
{
    store().setBool(dimKey, on);
}

int AppSettings::inactiveOpacityPercent()
{
    return std::min(positiveInt(inactiveOpacityKey, 55), 100);
}

void AppSettings::setInactiveOpacityPercent(int percent)
{
    store().setInt(inactiveOpacityKey, std::clamp(percent, 25, 100));
    SettingsNotifier::post();
}

double AppSettings::windowOpacity()
{
    return std::clamp(positiveDouble(windowOpacityKey, 1.0), 0.25, 1.0);
}

void AppSettings::setWindowOpacity(double fraction)
{
    // NaN would slip through the clamp; it means nothing useful, so it stores the default.
    const double value = std::isnan(fraction) ? 1.0 : std::clamp(fraction, 0.25, 1.0);
    store().setDouble(windowOpacityKey, value);
    SettingsNotifier::post();
}

int AppSettings::windowOpacityPercent()
{
    return int(std::lround(windowOpacity() * 100));
}

double AppSettings::effectiveWindowOpacity(bool applicationIsActive)
{
    const double base = windowOpacity();
    if (!dimWhenInactive() || applicationIsActive)
        return base;
    return base * inactiveOpacityPercent() / 100.0;
}

double AppSettings::windowWidth()
{
    return positiveDouble(windowWidthKey, 720);
}

void AppSettings::setWindowWidth(double width)
{
    store().setDouble(windowWidthKey, width);
}

double AppSettings::windowHeight()
{
    return positiveDouble(windowHeightKey, 400);
}

void AppSettings::setWindowHeight(double height)
{
    store().setDouble(windowHeightKey, height);
}

bool AppSettings::windowOriginSaved()
{
    return store().boolValue(originSavedKey).value_or(false);
}

QRectF AppSettings::savedWindowFrame()
{
    const bool originSaved = windowOriginSaved();
    const double x = originSaved ? store().doubleValue(originXKey).value_or(0) : 0;
    const double y = originSaved ? store().doubleValue(originYKey).value_or(0) : 0;
    return QRectF(x, y, windowWidth(), windowHeight());
}

void AppSettings::saveWindowFrame(const QRectF &frame)
{
    store().setDouble(windowWidthKey, frame.width());
    store().setDouble(windowHeightKey, frame.height());
    store().setDouble(originXKey, frame.x());
    store().setDouble(originYKey, frame.y());
    store().setBool(originSavedKey, true);
}

double AppSettings::fontSize()
{
    return positiveDouble(fontSizeKey, 16);
}

void AppSettings::setFontSize(double size)
{
    store().setDouble(fontSizeKey, size);
}

int AppSettings::maxCards()
{
    return positiveInt(maxCardsKey, 50);
}

void AppSettings::setMaxCards(int count)
{
    store().setInt(maxCardsKey, count);
}

int AppSettings::maxVisibleMemos()
{
    return std::clamp(positiveInt(maxVisibleMemosKey, 4), 2, 12);
}

void AppSettings::setMaxVisibleMemos(int count)
{
    store().setInt(maxVisibleMemosKey, std::clamp(count, 2, 12));
    SettingsNotifier::post();
}

int AppSettings::cardPreviewMaxLength()
{
    return positiveInt(previewLengthKey, 18);
}

EditorThemeKind AppSettings::editorTheme()
{
    return resolveEditorThemeKind(storedString(editorThemeKey));
}

void AppSettings::setEditorTheme(EditorThemeKind theme)
{
    writeString(editorThemeKey, rawValue(theme));
}

EditorLanguage AppSettings::editorLanguage()
{
    return resolveEditorLanguage(storedString(editorLanguageKey));
}

void AppSettings::setEditorLanguage(EditorLanguage language)
{
    writeString(editorLanguageKey, rawValue(language));
}

EditorFontFamily AppSettings::editorFontFamily()
{
    return resolveEditorFontFamily(storedString(editorFontFamilyKey));
}

void AppSettings::setEditorFontFamily(EditorFontFamily family)
{
    writeString(editorFontFamilyKey, rawValue(family));
}

PeekBarAccent AppSettings::peekBarAccent()
{
    return resolvePeekBarAccent(storedString(peekBarAccentKey));
}

void AppSettings::setPeekBarAccent(PeekBarAccent accent)
{
    writeString(peekBarAccentKey, rawValue(accent));
}

void AppSettings::postSettingsDidChange()
{
    SettingsNotifier::post();
}
