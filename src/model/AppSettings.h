#pragma once

#include "model/AfterConfirmBehavior.h"
#include "model/ConfirmTrigger.h"
#include "model/EditorFontFamily.h"
#include "model/EditorLanguage.h"
#include "model/EditorThemeKind.h"
#include "model/PeekBarAccent.h"
#include "model/Preference.h"
#include "model/ToggleHotkeyPreset.h"

#include <QRectF>

// Every user preference, each declared once with its key, default and rules. Writers that post
// announce the change through SettingsNotifier; the others are written by the settings form,
// which posts once when it has written everything.
namespace AppSettings {

inline constexpr Preference<ToggleHotkeyPreset> toggleHotkeyPreset{
    "toggleHotkey", ToggleHotkeyPreset::controlReturn};
inline constexpr Preference<ConfirmTrigger> confirmTrigger{"confirmTrigger",
                                                           ConfirmTrigger::commandEnter};

inline constexpr Preference<bool> autoCollapseWhenInactive{"autoCollapseWhenInactive", true};
inline constexpr Preference<bool> dimWhenInactive{"dimWhenInactive", true};
// Writes keep to 25...100, but a smaller value already stored is honoured.
inline constexpr Preference<int> inactiveOpacityPercent{.key = "inactiveOpacityPercent",
                                                        .fallback = 55,
                                                        .readRange = {.max = 100},
                                                        .writeRange = {{25, 100}},
                                                        .posts = true};

inline constexpr Preference<AfterConfirmBehavior> afterConfirmBehavior{
    "afterConfirmBehavior", AfterConfirmBehavior::stayOpen,
    // Older versions stored two booleans instead; the derived value is not written back.
    [](const QString &) -> std::optional<AfterConfirmBehavior> {
        const PreferencesStore &store = PreferencesStore::standard();
        const std::optional<bool> returnToPrevious = store.boolValue("returnToPreviousApp");
        const std::optional<bool> autoCollapse = store.boolValue(autoCollapseWhenInactive.key);
        if (!returnToPrevious && !autoCollapse)
            return AfterConfirmBehavior::stayOpen;
        if (!autoCollapse.value_or(true))
            return AfterConfirmBehavior::stayOpen;
        return returnToPrevious.value_or(false) ? AfterConfirmBehavior::returnAndCollapse
                                                : AfterConfirmBehavior::collapseOnly;
    }};

inline constexpr Preference<double> windowOpacity{.key = "windowOpacity",
                                                  .fallback = 1.0,
                                                  .readRange = {0.25, 1.0},
                                                  .writeRange = {{0.25, 1.0}},
                                                  .posts = true};

// The panel's frame, in bottom-left screen coordinates; the origin counts once it was saved.
inline constexpr Preference<double> windowWidth{"windowWidth", 720};
inline constexpr Preference<double> windowHeight{"windowHeight", 400};
inline constexpr Preference<bool> windowOriginSaved{"windowOriginSaved", false};
inline constexpr Preference<double> windowOriginX{
    .key = "windowOriginX", .fallback = 0, .zeroOrLessIsUnset = false};
inline constexpr Preference<double> windowOriginY{
    .key = "windowOriginY", .fallback = 0, .zeroOrLessIsUnset = false};
QRectF savedWindowFrame();
void saveWindowFrame(const QRectF &frame); // does not post

inline constexpr Preference<double> fontSize{"fontSize", 16};
inline constexpr Preference<int> maxCards{"maxCards", 50};
inline constexpr Preference<int> maxVisibleMemos{.key = "maxVisibleMemos",
                                                 .fallback = 4,
                                                 .readRange = {2, 12},
                                                 .writeRange = {{2, 12}},
                                                 .posts = true};
inline constexpr Preference<int> cardPreviewMaxLength{"cardPreviewMaxLength", 18};

inline constexpr Preference<EditorThemeKind> editorTheme{
    "editorTheme", EditorThemeKind::light,
    // Earlier versions had a single dark theme, stored as "dark".
    [](const QString &stored) -> std::optional<EditorThemeKind> {
        if (stored == QLatin1String("dark"))
            return EditorThemeKind::sublime;
        return std::nullopt;
    }};
inline constexpr Preference<EditorLanguage> editorLanguage{"editorLanguage", EditorLanguage::plain};
inline constexpr Preference<EditorFontFamily> editorFontFamily{"editorFontFamily",
                                                               EditorFontFamily::hiragino};
inline constexpr Preference<PeekBarAccent> peekBarAccent{"peekBarAccent", PeekBarAccent::neonGreen};

// Announces "settings changed" to every observer (the settings form calls this once).
void postSettingsDidChange();

} // namespace AppSettings
