#pragma once

#include <QString>

class QKeyEvent;

// The character of the key as the layout gives it with Shift but without Ctrl, Super or Alt
// (Shift+P is "P", Shift+1 is "!"). text() cannot be used: Ctrl turns letters into control
// characters.
QString charactersIgnoringModifiers(const QKeyEvent &event);
