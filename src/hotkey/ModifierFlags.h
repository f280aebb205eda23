#pragma once

#include <QFlags>

// The event modifier flags of the key combination, with their platform bit values.
enum class ModifierFlag : quint32 {
    shift = 1u << 17,
    control = 1u << 18,
    option = 1u << 19,
    command = 1u << 20,
};
Q_DECLARE_FLAGS(ModifierFlags, ModifierFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ModifierFlags)

// The Carbon modifier mask: the OR of the masks of the four flags present.
quint32 carbonModifiers(ModifierFlags modifiers);
