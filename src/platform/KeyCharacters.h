#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

// The character of a key as the keyboard layout gives it with Shift but without Ctrl, Super
// or Alt: Shift+1 is "!", Shift+P is "P", Ctrl+P is "p". Qt's text() cannot serve, since Ctrl
// turns it into a control character; the key code already carries the shifted symbol.
QString charactersIgnoringModifiers(int key, Qt::KeyboardModifiers modifiers);
QString charactersIgnoringModifiers(const QKeyEvent &event);
