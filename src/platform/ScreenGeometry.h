#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

// One screen in Zorv's frame convention: origin at the bottom left of the primary screen,
// y growing upward. visibleFrame leaves out panels and docks.
struct ScreenGeometry
{
    QRectF frame;
    QRectF visibleFrame;
};

// Index of the first screen whose frame holds `point`. Half-open, like the platform's
// point-in-rectangle test, so that a point on the border between two screens belongs to
// exactly one of them.
std::optional<qsizetype> screenContaining(const QList<ScreenGeometry> &screens,
                                          const QPointF &point);
