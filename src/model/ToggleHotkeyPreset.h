#pragma once

#include "platform/KeyCombo.h"

#include <QList>
#include <QString>

#include <optional>

// The global hotkey that shows and hides the panel. The raw value is the case name and is what the
// preferences store; declaration order is the order of the settings form's pop-up.
enum class ToggleHotkeyPreset { controlReturn, controlOptionSpace, controlSpace };

QString rawValue(ToggleHotkeyPreset value);
QString label(ToggleHotkeyPreset value);
// The combination registered for the preset: Super+Return is (36, 0x1000).
KeyCombo keyCombo(ToggleHotkeyPreset value);
// The keys as running text names them: "Super+Return".
QString shortcutText(ToggleHotkeyPreset value);
const QList<ToggleHotkeyPreset> &allToggleHotkeyPresets();
// Exact, case-sensitive match of a raw value.
std::optional<ToggleHotkeyPreset> toggleHotkeyPresetFromRaw(const QString &raw);
// Any string that is not a raw value gives controlReturn.
ToggleHotkeyPreset resolveToggleHotkeyPreset(const QString &stored);
