#pragma once

#include "windows/PanelScreenCorner.h"

#include <QString>
#include <Qt>

#include <optional>

// What the panel's key monitor does with one key press, decided from the key alone.
// Modifiers follow Qt's Mac convention: Ctrl is Command, Super (Meta) is Control, Alt is Option.
enum class PanelKeyChord {
    none,        // not one of the editor chords: offer it to the card list, then the corners
    clearEditor, // Ctrl+Escape
    unfoldAll,   // Ctrl+Shift+U
    confirm,     // Ctrl+Return without Super; Super+Alt+Return without Ctrl
};

// characters: the key's characters ignoring modifiers (platform/KeyCharacters.h).
PanelKeyChord panelKeyChord(int key, Qt::KeyboardModifiers modifiers, const QString &characters);

// The corner of Super+digit (neither Ctrl nor Alt held), or none.
std::optional<PanelScreenCorner> panelSnapCorner(Qt::KeyboardModifiers modifiers,
                                                 const QString &characters);
