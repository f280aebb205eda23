#pragma once

#include "model/EnumTable.h"

// The editor's colour theme.
enum class EditorThemeKind { light, sublime, dracula, monokai, oneDark, solarized, paper };

template <> struct EnumTable<EditorThemeKind>
{
    static constexpr EnumCase<EditorThemeKind> cases[] = {
        {EditorThemeKind::light, "light", u"ライト（白）"},
        {EditorThemeKind::sublime, "sublime", u"Sublime（ダーク）"},
        {EditorThemeKind::dracula, "dracula", u"Dracula"},
        {EditorThemeKind::monokai, "monokai", u"Monokai"},
        {EditorThemeKind::oneDark, "oneDark", u"One Dark"},
        {EditorThemeKind::solarized, "solarized", u"Solarized Dark"},
        {EditorThemeKind::paper, "paper", u"ペーパー（暖色ライト）"},
    };
};

// Dark themes get the dark gutter appearance.
constexpr bool isDark(EditorThemeKind kind)
{
    return kind != EditorThemeKind::light && kind != EditorThemeKind::paper;
}
