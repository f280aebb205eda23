#pragma once

#include <QRectF>

// One screen in Zorv's frame convention: origin at the bottom left of the primary screen,
// y growing upward. visibleFrame leaves out panels and docks.
struct ScreenGeometry
{
    QRectF frame;
    QRectF visibleFrame;
};
