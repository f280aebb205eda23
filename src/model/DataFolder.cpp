#include "model/DataFolder.h"

#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString dataFolderURL()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString folder = QDir(base).filePath(QStringLiteral("Zorv"));
    const QString legacy = QDir(base).filePath(QStringLiteral("ZORVE"));

    // A failed move leaves the legacy folder alone; a new empty folder is made instead.
    if (!QFileInfo::exists(folder) && QFileInfo::exists(legacy))
        QDir().rename(legacy, folder);
    PrivateFolder::create(folder);
    return folder;
}
