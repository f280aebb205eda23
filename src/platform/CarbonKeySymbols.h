#pragma once

#include <QtGlobal>

#include <optional>

// The X keysym (value and name) that stands for a Carbon virtual key code on this system.
struct KeySymbol
{
    quint32 keysym = 0;
    const char *name = "";
};

std::optional<KeySymbol> keySymbolForCarbonKeyCode(quint32 carbonKeyCode);
