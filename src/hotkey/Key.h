#pragma once

#include "hotkey/ModifierFlags.h"
#include "platform/KeyCombo.h"

#include <QList>
#include <QtGlobal>

#include <optional>

// The physical keys a hotkey can use. Each maps to its Carbon virtual key code (kVK_*), which is
// what KeyCombo stores, so combinations read the same on every system. `return` and `delete` are
// C++ keywords and carry a "Key" suffix.
// clang-format off
enum class Key {
    a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
    zero, one, two, three, four, five, six, seven, eight, nine,
    period, quote, rightBracket, semicolon, slash, backslash, comma, equal, grave, leftBracket,
    minus, section, space, tab, returnKey,
    command, rightCommand, option, rightOption, control, rightControl, shift, rightShift,
    function, capsLock,
    pageUp, pageDown, home, end, upArrow, rightArrow, downArrow, leftArrow,
    f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14, f15, f16, f17, f18, f19, f20,
    keypad0, keypad1, keypad2, keypad3, keypad4, keypad5, keypad6, keypad7, keypad8, keypad9,
    keypadClear, keypadDecimal, keypadDivide, keypadEnter, keypadEquals, keypadMinus,
    keypadMultiply, keypadPlus,
    escape, deleteKey, forwardDelete, help, volumeUp, volumeDown, mute,
};
// clang-format on

quint32 carbonKeyCode(Key key);
// The stored combination of a key and its modifiers.
KeyCombo keyCombo(Key key, ModifierFlags modifiers);
std::optional<Key> keyFromCarbonKeyCode(quint32 code);
// Every key in declaration order.
const QList<Key> &allKeys();
