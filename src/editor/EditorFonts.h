#pragma once

#include "model/EditorFontFamily.h"

#include <QFont>

// The editor font for a family, whether the colouring language is a code language, and a
// size in points (points are Qt's device-independent pixels here; a size <= 0 means 16).
// The stored families keep their first names; here they are the fonts a Debian desktop has:
// `hiragino` is "Noto Sans CJK JP", `menlo` "DejaVu Sans Mono", `sfMono` "Noto Sans Mono CJK JP".
// A missing font gives the system font, or the fixed-pitch system font in code mode (always for
// `sfMono`, the monospaced choice).
QFont editorFont(bool codeMode, EditorFontFamily family, double size);
