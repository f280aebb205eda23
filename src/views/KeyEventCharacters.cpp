#include "views/KeyEventCharacters.h"

#include <QKeyEvent>

QString charactersIgnoringModifiers(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar letter(char16_t('a' + (key - Qt::Key_A)));
        return event.modifiers().testFlag(Qt::ShiftModifier) ? QString(letter.toUpper())
                                                             : QString(letter);
    }
    // Qt already reports the shifted symbol for every other printable key (Key_Exclam).
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return QString(QChar(char16_t(key)));
    const QString text = event.text();
    if (!text.isEmpty() && text.at(0).isPrint())
        return text;
    return QString();
}
