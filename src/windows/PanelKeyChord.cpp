#include "windows/PanelKeyChord.h"

PanelKeyChord panelKeyChord(int key, Qt::KeyboardModifiers modifiers, const QString &characters)
{
    const bool command = modifiers.testFlag(Qt::ControlModifier);
    const bool control = modifiers.testFlag(Qt::MetaModifier);
    const bool option = modifiers.testFlag(Qt::AltModifier);
    if (command && key == Qt::Key_Escape)
        return PanelKeyChord::clearEditor;
    if (command && modifiers.testFlag(Qt::ShiftModifier) &&
        characters.toLower() == QLatin1String("u"))
        return PanelKeyChord::unfoldAll;
    // Keypad Enter is Qt::Key_Enter and never confirms.
    if (key == Qt::Key_Return) {
        if (command && !control)
            return PanelKeyChord::confirm;
        if (!command && control && option)
            return PanelKeyChord::confirm;
    }
    return PanelKeyChord::none;
}

std::optional<PanelScreenCorner> panelSnapCorner(Qt::KeyboardModifiers modifiers,
                                                 const QString &characters)
{
    const bool command = modifiers.testFlag(Qt::ControlModifier);
    const bool control = modifiers.testFlag(Qt::MetaModifier);
    const bool option = modifiers.testFlag(Qt::AltModifier);
    if (!control || command || option)
        return std::nullopt;
    return cornerForCharacters(characters);
}
