#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

bool PrivateFolder::create(const QString &path, QString *error)
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("No folder path"));

    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo::exists(current)) {
        missing.prepend(current);
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            break;
        current = parent;
    }
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    for (const QString &folder : std::as_const(missing)) {
        // Another process may create the same folder at the same moment.
        if (!QDir().mkdir(folder, mode) && !QFileInfo(folder).isDir())
            return fail(QStringLiteral("Could not create the folder %1").arg(folder));
    }
    if (!QFileInfo(path).isDir())
        return fail(QStringLiteral("%1 is not a folder").arg(path));
    return true;
}
