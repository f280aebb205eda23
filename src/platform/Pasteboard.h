#pragma once

#include <QString>

// The system clipboard (not the X11 selection), plain text only.
class Pasteboard
{
public:
    Pasteboard() = delete;

    // Clears the clipboard, then puts exactly one plain string on it.
    static void setString(const QString &text);
    // The clipboard's plain text; a null string when it holds none.
    static QString string();
};
