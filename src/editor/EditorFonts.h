#pragma once

#include "model/EditorFontFamily.h"

#include <QFont>

// The editor font for a family, whether the colouring language is a code language, and a
// size in points (points are Qt's device-independent pixels here; a size <= 0 means 16).
// "Hiragino Sans" and "Menlo" are used when installed; otherwise the system font, or the
// fixed-pitch system font in code mode, stands in.
QFont editorFont(bool codeMode, EditorFontFamily family, double size);
