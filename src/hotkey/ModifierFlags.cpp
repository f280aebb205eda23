#include "hotkey/ModifierFlags.h"

namespace {

constexpr quint32 knownBits = quint32(ModifierFlag::shift) | quint32(ModifierFlag::control) |
                              quint32(ModifierFlag::option) | quint32(ModifierFlag::command);

} // namespace

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
