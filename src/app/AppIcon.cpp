#include "app/AppIcon.h"

#include <QImage>
#include <QPixmap>

QIcon appIconImage()
{
    for (const char *path : {":/images/ZorvDockIcon.png", ":/images/AppIcon.png"}) {
        const QPixmap pixmap(QString::fromLatin1(path));
        if (!pixmap.isNull())
            return QIcon(pixmap);
    }
    const QIcon themed = QIcon::fromTheme(QStringLiteral("zorv"));
    return QIcon(themed.pixmap(256, 256));
}
