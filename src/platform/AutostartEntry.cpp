#include "platform/AutostartEntry.h"

#include "platform/AtomicFile.h"
#include "platform/Log.h"
#include "platform/PrivateFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QByteArray entry =
    QByteArrayLiteral("[Desktop Entry]\n"
                      "Type=Application\n"
                      "Version=1.4\n"
                      "Name=Zorv\n"
                      "Comment=Write text and make it the clipboard's content\n"
                      "Comment[ja]=書いた文章をそのままクリップボードへ\n"
                      "Exec=zorv --background\n"
                      "Icon=org.zorv.Zorv\n"
                      "Terminal=false\n"
                      "X-GNOME-Autostart-enabled=true\n");

} // namespace

QString AutostartEntry::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/org.zorv.Zorv.desktop");
}

bool AutostartEntry::isEnabled()
{
    if (!QFileInfo::exists(filePath()))
        return false;
    const QSettings file(filePath(), QSettings::IniFormat);
    return !file.value(QStringLiteral("Desktop Entry/Hidden")).toBool() &&
           file.value(QStringLiteral("Desktop Entry/X-GNOME-Autostart-enabled"), true).toBool();
}

bool AutostartEntry::setEnabled(bool enabled)
{
    const QString path = filePath();
    QString error;
    if (!enabled) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        error = QStringLiteral("cannot remove ") + path;
    } else if (PrivateFolder::create(QFileInfo(path).path(), &error) &&
               AtomicFile::write(path, entry, &error)) {
        return true;
    }
    logLine(QStringLiteral("Zorv: failed to change the start at login: ") + error);
    return false;
}
