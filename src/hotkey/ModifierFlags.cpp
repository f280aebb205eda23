#include "hotkey/ModifierFlags.h"

#include "platform/KeyCombo.h"

quint32 carbonModifiers(ModifierFlags modifiers)
{
    quint32 mask = 0;
    if (modifiers & ModifierFlag::command)
        mask |= KeyCombo::cmdKey;
    if (modifiers & ModifierFlag::shift)
        mask |= KeyCombo::shiftKey;
    if (modifiers & ModifierFlag::option)
        mask |= KeyCombo::optionKey;
    if (modifiers & ModifierFlag::control)
        mask |= KeyCombo::controlKey;
    return mask;
}
