#include "hotkey/ModifierFlags.h"

#include "platform/KeyCombo.h"

namespace {

constexpr quint32 knownBits = quint32(ModifierFlag::shift) | quint32(ModifierFlag::control) |
                              quint32(ModifierFlag::option) | quint32(ModifierFlag::command);

} // namespace

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

ModifierFlags modifierFlagsFromRaw(quint32 raw)
{
    return ModifierFlags::fromInt(raw & knownBits);
}

ModifierFlags modifierFlagsFromQt(Qt::KeyboardModifiers modifiers)
{
    ModifierFlags flags;
    flags.setFlag(ModifierFlag::command, modifiers & Qt::ControlModifier);
    flags.setFlag(ModifierFlag::control, modifiers & Qt::MetaModifier);
    flags.setFlag(ModifierFlag::option, modifiers & Qt::AltModifier);
    flags.setFlag(ModifierFlag::shift, modifiers & Qt::ShiftModifier);
    return flags;
}
