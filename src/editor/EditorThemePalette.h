#pragma once

#include "editor/SyntaxColors.h"
#include "model/EditorThemeKind.h"

#include <QColor>

// The fixed colours of one editor theme. Palettes are built once and shared; callers keep
// copies (the gutter and the guide view hold one each).
struct EditorThemePalette
{
    QColor editorBackground;
    QColor editorText;
    QColor gutterBackground;
    QColor lineNumber;
    QColor lineNumberActive;
    QColor lineNumberActiveBackground;
    QColor foldArrow;
    QColor indentGuide;
    QColor caret;
    QColor foldBadgeBackground;
    QColor foldBadgeText;
    QColor containerBackground;
    QColor containerBorder;
    QColor counterText;
    SyntaxColors syntax;

    // The shared palette of a theme.
    static const EditorThemePalette &forKind(EditorThemeKind kind);
};
