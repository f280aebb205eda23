#include "windows/RoundedWindowMask.h"

#include "platform/Compositor.h"

#include <QPainterPath>
#include <QRegion>
#include <QWidget>

void applyRoundedWindowMask(QWidget &window, double radius)
{
    if (Compositor::isActive()) {
        window.clearMask();
        return;
    }
    QPainterPath shape;
    shape.addRoundedRect(QRectF(window.rect()), radius, radius);
    window.setMask(QRegion(shape.toFillPolygon().toPolygon()));
}
