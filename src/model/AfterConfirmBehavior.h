#pragma once

#include "model/EnumTable.h"

// What the panel does after a confirm.
enum class AfterConfirmBehavior { stayOpen, collapseOnly, returnAndCollapse };

template <> struct EnumTable<AfterConfirmBehavior>
{
    static constexpr EnumCase<AfterConfirmBehavior> cases[] = {
        {AfterConfirmBehavior::stayOpen, "stayOpen", u"そのまま（開いたまま）"},
        {AfterConfirmBehavior::collapseOnly, "collapseOnly", u"たたむ"},
        {AfterConfirmBehavior::returnAndCollapse, "returnAndCollapse", u"たたんで前のアプリへ"},
    };
};
