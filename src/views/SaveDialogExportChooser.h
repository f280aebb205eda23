#pragma once

#include "model/MarkdownExportChooser.h"

#include <QPointer>
#include <QWidget>

// Asks where a memo is exported with the desktop's save dialog, offering the memo's name.
// The dialog adds ".md" to a name typed without an extension and asks before it replaces
// an existing file.
class SaveDialogExportChooser : public MarkdownExportChooser
{
public:
    explicit SaveDialogExportChooser(QWidget *dialogParent = nullptr);

    QString chooseMarkdownExportPath(const QString &suggestedName) override;

private:
    static QString startFolder();

    QPointer<QWidget> m_dialogParent;
};
