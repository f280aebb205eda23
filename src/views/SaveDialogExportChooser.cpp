#include "views/SaveDialogExportChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

SaveDialogExportChooser::SaveDialogExportChooser(QWidget *dialogParent)
    : m_dialogParent(dialogParent)
{
}

// The user's documents folder when there is one, else the home folder.
QString SaveDialogExportChooser::startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString SaveDialogExportChooser::chooseMarkdownExportPath(const QString &suggestedName)
{
    QFileDialog dialog(m_dialogParent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Markdown (*.md)"));
    dialog.setDefaultSuffix(QStringLiteral("md"));
    dialog.setDirectory(startFolder());
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
