#include "windows/WindowFrames.h"

#include <algorithm>

namespace WindowFrames {

namespace {

double top(const QRectF &r)
{
    return r.y() + r.height();
}

} // namespace

QSizeF clampedPanelSize(const QSizeF &size)
{
    return {std::clamp(size.width(), 560.0, 1200.0), std::clamp(size.height(), 320.0, 900.0)};
}

QRectF cornerFrame(PanelScreenCorner corner, const QSizeF &size, const QRectF &visibleFrame)
{
    const QSizeF s = clampedPanelSize(size);
    const double w = s.width();
    const double h = s.height();
    const QRectF &v = visibleFrame;
    const double left = v.x() + snapMargin;
    const double right = v.x() + v.width() - w - snapMargin;
    const double bottom = v.y() + snapMargin;
    const double upper = top(v) - h - snapMargin;
    switch (corner) {
    case PanelScreenCorner::topLeft:
        return {left, upper, w, h};
    case PanelScreenCorner::topRight:
        return {right, upper, w, h};
    case PanelScreenCorner::bottomLeft:
        return {left, bottom, w, h};
    case PanelScreenCorner::bottomRight:
        return {right, bottom, w, h};
    }
    return {left, upper, w, h};
}

QRectF peekBarFrame(const QRectF &panelFrame, const QSizeF &barSize,
                    const std::optional<QRectF> &visibleFrame)
{
    const double w = barSize.width();
    const double h = barSize.height();
    double x = panelFrame.x() + panelFrame.width() / 2 - w / 2;
    double y = panelFrame.y();
    if (visibleFrame) {
        const QRectF &v = *visibleFrame;
        x = std::max(x, v.x() + barScreenMargin);
        x = std::min(x, v.x() + v.width() - w - barScreenMargin);
        y = std::max(y, v.y() + barScreenMargin);
        y = std::min(y, top(v) - h);
    }
    return {x, y, w, h};
}

} // namespace WindowFrames
