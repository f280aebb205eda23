#include "model/ToggleHotkeyPreset.h"

#include "model/EnumRawValues.h"

QString rawValue(ToggleHotkeyPreset value)
{
    switch (value) {
    case ToggleHotkeyPreset::controlReturn:
        return QStringLiteral("controlReturn");
    case ToggleHotkeyPreset::controlOptionSpace:
        return QStringLiteral("controlOptionSpace");
    case ToggleHotkeyPreset::controlSpace:
        return QStringLiteral("controlSpace");
    }
    return {};
}

QString label(ToggleHotkeyPreset value)
{
    switch (value) {
    case ToggleHotkeyPreset::controlReturn:
        return QStringLiteral("Super + Return");
    case ToggleHotkeyPreset::controlOptionSpace:
        return QStringLiteral("Super + Alt + Space");
    case ToggleHotkeyPreset::controlSpace:
        return QStringLiteral("Super + Space");
    }
    return {};
}

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

const QList<ToggleHotkeyPreset> &allToggleHotkeyPresets()
{
    static const QList<ToggleHotkeyPreset> cases{ToggleHotkeyPreset::controlReturn,
                                                 ToggleHotkeyPreset::controlOptionSpace,
                                                 ToggleHotkeyPreset::controlSpace};
    return cases;
}

std::optional<ToggleHotkeyPreset> toggleHotkeyPresetFromRaw(const QString &raw)
{
    return enumFromRaw(allToggleHotkeyPresets(), raw);
}

ToggleHotkeyPreset resolveToggleHotkeyPreset(const QString &stored)
{
    return toggleHotkeyPresetFromRaw(stored).value_or(ToggleHotkeyPreset::controlReturn);
}
