#include "model/ToggleHotkeyPreset.h"

KeyCombo keyCombo(ToggleHotkeyPreset value)
{
    switch (value) {
    case ToggleHotkeyPreset::controlOptionSpace:
        return KeyCombo(49, KeyCombo::controlKey | KeyCombo::optionKey);
    case ToggleHotkeyPreset::controlSpace:
        return KeyCombo(49, KeyCombo::controlKey);
    case ToggleHotkeyPreset::controlReturn:
        break;
    }
    return KeyCombo(36, KeyCombo::controlKey);
}

QString shortcutText(ToggleHotkeyPreset value)
{
    return label(value).replace(QStringLiteral(" + "), QStringLiteral("+"));
}
