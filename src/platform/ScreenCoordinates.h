#pragma once

#include "platform/ScreenGeometry.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

class QScreen;

// Zorv keeps frames with the origin at the bottom left of the primary screen and y growing
// upward; Qt's origin is the top left with y growing downward. These convert at the Qt
// boundary. The overloads without a height use the primary screen's.
class ScreenCoordinates
{
public:
    ScreenCoordinates() = delete;

    static QRectF toQt(const QRectF &frame);
    static QRectF fromQt(const QRectF &rect);
    static QPointF toQt(const QPointF &point);
    static QPointF fromQt(const QPointF &point);

    static QRectF toQt(const QRectF &frame, qreal primaryScreenHeight);
    static QRectF fromQt(const QRectF &rect, qreal primaryScreenHeight);
    static QPointF toQt(const QPointF &point, qreal primaryScreenHeight);
    static QPointF fromQt(const QPointF &point, qreal primaryScreenHeight);

    // The bottom edge of the primary screen in Qt coordinates (its height when it sits at the
    // top of the virtual desktop); 0 without a screen.
    static qreal primaryScreenHeight();
    // Every connected screen, primary first (Qt's order), in Zorv's convention.
    static QList<ScreenGeometry> screens();
    // One screen in Zorv's convention; nullopt for no screen.
    static std::optional<ScreenGeometry> geometry(const QScreen *screen);
    // The mouse pointer's position in Zorv's convention.
    static QPointF mouseLocation();
};
