#pragma once

#include "model/EnumTable.h"

// The editor's font family.
enum class EditorFontFamily { system, hiragino, menlo, sfMono };

template <> struct EnumTable<EditorFontFamily>
{
    static constexpr EnumCase<EditorFontFamily> cases[] = {
        {EditorFontFamily::system, "system", u"システム"},
        {EditorFontFamily::hiragino, "hiragino", u"Noto Sans CJK"},
        {EditorFontFamily::menlo, "menlo", u"DejaVu Sans Mono"},
        {EditorFontFamily::sfMono, "sfMono", u"Noto Sans Mono CJK"},
    };
};
