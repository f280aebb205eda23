#pragma once

#include <QtGlobal>

#include <optional>

// The Carbon modifier masks that come with the key codes. Command is Ctrl on this side, Control
// is Super, Option is Alt.
constexpr quint32 carbonCmdKey = 0x100;
constexpr quint32 carbonShiftKey = 0x200;
constexpr quint32 carbonOptionKey = 0x800;
constexpr quint32 carbonControlKey = 0x1000;

// The X keysym (value and name) that stands for a Carbon virtual key code on this system.
struct KeySymbol
{
    quint32 keysym = 0;
    const char *name = "";
};

std::optional<KeySymbol> keySymbolForCarbonKeyCode(quint32 carbonKeyCode);
