#include "platform/ScreenCoordinates.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

// Flipping is its own inverse: the bottom edge of a frame in one convention is the top edge in
// the other, both measured from the primary screen's bottom.
QRectF ScreenCoordinates::toQt(const QRectF &frame, qreal primaryScreenHeight)
{
    return QRectF(frame.x(), primaryScreenHeight - frame.y() - frame.height(), frame.width(),
                  frame.height());
}

QRectF ScreenCoordinates::fromQt(const QRectF &rect, qreal primaryScreenHeight)
{
    return toQt(rect, primaryScreenHeight);
}

QPointF ScreenCoordinates::toQt(const QPointF &point, qreal primaryScreenHeight)
{
    return QPointF(point.x(), primaryScreenHeight - point.y());
}

QPointF ScreenCoordinates::fromQt(const QPointF &point, qreal primaryScreenHeight)
{
    return toQt(point, primaryScreenHeight);
}

QRectF ScreenCoordinates::toQt(const QRectF &frame)
{
    return toQt(frame, primaryScreenHeight());
}

QRectF ScreenCoordinates::fromQt(const QRectF &rect)
{
    return fromQt(rect, primaryScreenHeight());
}

QPointF ScreenCoordinates::toQt(const QPointF &point)
{
    return toQt(point, primaryScreenHeight());
}

QPointF ScreenCoordinates::fromQt(const QPointF &point)
{
    return fromQt(point, primaryScreenHeight());
}

qreal ScreenCoordinates::primaryScreenHeight()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return 0;
    const QRect geometry = primary->geometry();
    return geometry.y() + geometry.height();
}

QPointF ScreenCoordinates::mouseLocation()
{
    return fromQt(QPointF(QCursor::pos()));
}

QList<ScreenGeometry> ScreenCoordinates::screens()
{
    QList<ScreenGeometry> result;
    for (const QScreen *screen : QGuiApplication::screens())
        result.append(*geometry(screen));
    return result;
}

std::optional<ScreenGeometry> ScreenCoordinates::geometry(const QScreen *screen)
{
    if (!screen)
        return std::nullopt;
    return ScreenGeometry{fromQt(QRectF(screen->geometry())),
                          fromQt(QRectF(screen->availableGeometry()))};
}
