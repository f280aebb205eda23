#pragma once

#include "platform/CarbonKeySymbols.h"

#include <QtGlobal>

// A key and its modifiers as the values Zorv stores: the Carbon virtual key code and the Carbon
// modifier mask. Every hotkey backend takes these and turns them into its own grab.
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

    friend bool operator==(const KeyCombo &, const KeyCombo &) = default;
};
