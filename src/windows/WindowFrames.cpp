#include "windows/WindowFrames.h"

#include <algorithm>

namespace WindowFrames {

namespace {

double top(const QRectF &r)
{
    return r.y() + r.height();
}

constexpr double screenInset = 32; // the frame may be at most this much smaller than the screen
constexpr double screenMargin = 8; // and keeps this distance from its edges

std::optional<ScreenGeometry> fallbackScreen(const QList<ScreenGeometry> &screens,
                                             const std::optional<ScreenGeometry> &preferred,
                                             const std::optional<ScreenGeometry> &main)
{
    if (preferred)
        return preferred;
    if (main)
        return main;
    if (!screens.isEmpty())
        return screens.first();
    return std::nullopt;
}

QRectF centredIn(const QRectF &visible, double width, double height)
{
    const QPointF centre = visible.center();
    return QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height);
}

// Shrinks the frame to fit inside the visible frame and keeps it a margin away from its edges.
QRectF keptInside(const QRectF &visible, QRectF frame)
{
    const double w = std::min(frame.width(), visible.width() - screenInset);
    const double h = std::min(frame.height(), visible.height() - screenInset);
    double x = std::max(frame.x(), visible.x() + screenMargin);
    x = std::min(x, visible.x() + visible.width() - w - screenMargin);
    double y = std::max(frame.y(), visible.y() + screenMargin);
    y = std::min(y, visible.y() + visible.height() - h - screenMargin);
    return QRectF(x, y, w, h);
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

QRectF fittedWindowFrame(const QRectF &proposed, bool originSaved,
                         const QList<ScreenGeometry> &screens,
                         const std::optional<ScreenGeometry> &preferredScreen,
                         const std::optional<ScreenGeometry> &mainScreen)
{
    const QSizeF size = clampedPanelSize(proposed.size());
    const double w = size.width();
    const double h = size.height();
    const QRectF frame(proposed.topLeft(), size);

    if (!originSaved) {
        const auto screen = fallbackScreen(screens, preferredScreen, mainScreen);
        return screen ? centredIn(screen->visibleFrame, w, h) : frame;
    }
    std::optional<ScreenGeometry> screen;
    if (const auto index = screenContaining(screens, frame.center()))
        screen = screens[*index];
    else
        screen = fallbackScreen(screens, preferredScreen, mainScreen);
    return screen ? keptInside(screen->visibleFrame, frame) : frame;
}

} // namespace WindowFrames
