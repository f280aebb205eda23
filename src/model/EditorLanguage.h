#pragma once

#include "model/EnumTable.h"

// The language the editor colours its text in.
enum class EditorLanguage { plain, html, css, javascript };

template <> struct EnumTable<EditorLanguage>
{
    static constexpr EnumCase<EditorLanguage> cases[] = {
        {EditorLanguage::plain, "plain", u"なし（単色）"},
        {EditorLanguage::html, "html", u"HTML"},
        {EditorLanguage::css, "css", u"CSS"},
        {EditorLanguage::javascript, "javascript", u"JavaScript"},
    };
};

// html, css and javascript are code: the editor font rule turns to monospaced fonts for them.
constexpr bool isCodeLanguage(EditorLanguage language)
{
    return language != EditorLanguage::plain;
}
