#pragma once

#include <QString>

// Asks the user where a memo is exported to (the memo panel shows a save dialog).
class MarkdownExportChooser
{
public:
    virtual ~MarkdownExportChooser() = default;

    // suggestedName is the proposed file name, ending in ".md". Returns the chosen path,
    // or an empty string when the user cancelled.
    virtual QString chooseMarkdownExportPath(const QString &suggestedName) = 0;
};
