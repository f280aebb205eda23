#include "platform/KeyCharacters.h"

#include <QKeyEvent>

QString charactersIgnoringModifiers(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QStringLiteral("\t");
    case Qt::Key_Escape:
        return QString(QChar(0x1B));
    case Qt::Key_Backspace:
        return QString(QChar(0x7F));
    default:
        break;
    }
    // Qt gives printable keys their Unicode code point, letters always in upper case.
    if (key < Qt::Key_Space || key > 0x10FFFF || (key & 0x01000000))
        return {};
    const char32_t codePoint = char32_t(key);
    const QString character = QString::fromUcs4(&codePoint, 1);
    const bool letter = character.front().isLetter();
    return letter && !(modifiers & Qt::ShiftModifier) ? character.toLower() : character;
}

QString charactersIgnoringModifiers(const QKeyEvent &event)
{
    return charactersIgnoringModifiers(event.key(), event.modifiers());
}
