#pragma once

#include "model/EnumTable.h"

// How the editor's text is confirmed.
enum class ConfirmTrigger { commandEnter, doubleNewline };

template <> struct EnumTable<ConfirmTrigger>
{
    static constexpr EnumCase<ConfirmTrigger> cases[] = {
        {ConfirmTrigger::commandEnter, "commandEnter", u"Ctrl + Enter（推奨）"},
        {ConfirmTrigger::doubleNewline, "doubleNewline", u"空行で Return 2 回（上級者向け）"},
    };
};
