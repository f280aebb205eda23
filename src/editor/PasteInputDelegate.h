#pragma once

#include <QString>

// Receives every successful confirm of the editor, after the clipboard already holds the text.
class PasteInputDelegate
{
public:
    virtual ~PasteInputDelegate() = default;
    // text is trimmed and never empty.
    virtual void pasteInputDidConfirm(const QString &text) = 0;
};
