#pragma once

#include "hotkey/Key.h"
#include "hotkey/ModifierFlags.h"
#include "platform/CarbonKeySymbols.h"

#include <QtGlobal>

// A key and its modifiers as Carbon values: the virtual key code and the Carbon modifier mask.
struct KeyCombo
{
    static constexpr quint32 cmdKey = carbonCmdKey;
    static constexpr quint32 shiftKey = carbonShiftKey;
    static constexpr quint32 optionKey = carbonOptionKey;
    static constexpr quint32 controlKey = carbonControlKey;

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
