#pragma once

#include "platform/ScreenGeometry.h"
#include "windows/PanelScreenCorner.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

// Frame arithmetic of the panel and the peek bar. Every rectangle here is in Zorv's screen
// convention: origin at the bottom left of the primary screen, y growing upward, so that
// rect.y() is the bottom edge and rect.y() + rect.height() the top edge.
namespace WindowFrames {

constexpr double snapMargin = 16;
constexpr double barScreenMargin = 8;

// The panel's size clamped to the range the panel accepts (560...1200 x 320...900).
QSizeF clampedPanelSize(const QSizeF &size);

// The frame of a panel of `size` (clamped, never reduced to fit) snapped into `corner` of
// the visible frame with a 16-point margin.
QRectF cornerFrame(PanelScreenCorner corner, const QSizeF &size, const QRectF &visibleFrame);

// The bar centred under the collapsed panel on its former bottom edge, then kept inside
// the visible frame with 8 points at the left, right and bottom and none at the top.
QRectF peekBarFrame(const QRectF &panelFrame, const QSizeF &barSize,
                    const std::optional<QRectF> &visibleFrame);

// Fits a proposed panel frame onto the screens. A frame never placed by the user (originSaved
// false) is centred on the preferred screen (typically the one under the mouse), else the main
// one, else the first; a placed one stays on the screen holding its centre, shrunk to fit and
// kept 8 points inside.
QRectF fittedWindowFrame(const QRectF &proposed, bool originSaved,
                         const QList<ScreenGeometry> &screens,
                         const std::optional<ScreenGeometry> &preferredScreen = std::nullopt,
                         const std::optional<ScreenGeometry> &mainScreen = std::nullopt);

} // namespace WindowFrames
