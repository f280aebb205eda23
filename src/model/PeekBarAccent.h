#pragma once

#include "model/EnumTable.h"

// The colour of the collapsed bar.
enum class PeekBarAccent { neonGreen, neonCyan, neonPink, neonYellow, neonOrange };

template <> struct EnumTable<PeekBarAccent>
{
    static constexpr EnumCase<PeekBarAccent> cases[] = {
        {PeekBarAccent::neonGreen, "neonGreen", u"ネオングリーン"},
        {PeekBarAccent::neonCyan, "neonCyan", u"シアン"},
        {PeekBarAccent::neonPink, "neonPink", u"ピンク"},
        {PeekBarAccent::neonYellow, "neonYellow", u"イエロー"},
        {PeekBarAccent::neonOrange, "neonOrange", u"オレンジ"},
    };
};
