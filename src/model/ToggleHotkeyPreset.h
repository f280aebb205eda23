#pragma once

#include "model/EnumTable.h"
#include "platform/KeyCombo.h"

// The global hotkey that shows and hides the panel.
enum class ToggleHotkeyPreset { controlReturn, controlOptionSpace, controlSpace };

template <> struct EnumTable<ToggleHotkeyPreset>
{
    static constexpr EnumCase<ToggleHotkeyPreset> cases[] = {
        {ToggleHotkeyPreset::controlReturn, "controlReturn", u"Super + Return"},
        {ToggleHotkeyPreset::controlOptionSpace, "controlOptionSpace", u"Super + Alt + Space"},
        {ToggleHotkeyPreset::controlSpace, "controlSpace", u"Super + Space"},
    };
};

// The combination registered for the preset: Super+Return is (36, 0x1000).
KeyCombo keyCombo(ToggleHotkeyPreset value);
// The keys as running text names them: "Super+Return".
QString shortcutText(ToggleHotkeyPreset value);
