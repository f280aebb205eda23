#include "app/AppIcon.h"

#include <QFile>
#include <QPixmap>

QIcon appIconImage()
{
    // "ZorvDockIcon" comes in the sizes a window icon is drawn at. Every size given here is
    // copied into each window's icon property on the X server, so none is larger than needed;
    // files are read only when a size is first asked for.
    QIcon dockIcon;
    for (const int size : {16, 32, 48, 64, 128}) {
        const QString path = QStringLiteral(":/images/ZorvDockIcon/%1.png").arg(size);
        if (QFile::exists(path))
            dockIcon.addFile(path, QSize(size, size));
    }
    if (!dockIcon.isNull())
        return dockIcon;
    const QPixmap appIcon(QStringLiteral(":/images/AppIcon.png"));
    if (!appIcon.isNull())
        return QIcon(appIcon);
    const QIcon themed = QIcon::fromTheme(QStringLiteral("org.zorv.Zorv"));
    return QIcon(themed.pixmap(256, 256));
}
