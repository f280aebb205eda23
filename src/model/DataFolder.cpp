#include "model/DataFolder.h"

#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
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
    // The moved folder becomes private like a new one: it holds everything the user copied.
    if (!QFileInfo::exists(folder) && QFileInfo::exists(legacy) && QDir().rename(legacy, folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    PrivateFolder::create(folder);
    return folder;
}
