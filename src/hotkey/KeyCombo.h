#pragma once

#include "hotkey/Key.h"
#include "hotkey/ModifierFlags.h"

#include <QtGlobal>

// A key and its modifiers as Carbon values: the virtual key code and the Carbon modifier mask.
struct KeyCombo
{
    static constexpr quint32 cmdKey = 0x100;
    static constexpr quint32 shiftKey = 0x200;
    static constexpr quint32 optionKey = 0x800;
    static constexpr quint32 controlKey = 0x1000;

    quint32 carbonKeyCode = 0;
    quint32 carbonModifiers = 0;

    KeyCombo() = default;
    KeyCombo(quint32 keyCode, quint32 modifiers)
        : carbonKeyCode(keyCode)
        , carbonModifiers(modifiers)
    {
    }
    KeyCombo(Key key, ModifierFlags modifiers);

    friend bool operator==(const KeyCombo &, const KeyCombo &) = default;
};

quint32 carbonModifiers(ModifierFlags modifiers);
