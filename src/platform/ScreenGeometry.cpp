#include "platform/ScreenGeometry.h"

std::optional<qsizetype> screenContaining(const QList<ScreenGeometry> &screens,
                                          const QPointF &point)
{
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRectF &f = screens[i].frame;
        if (point.x() >= f.x() && point.x() < f.x() + f.width() && point.y() >= f.y() &&
            point.y() < f.y() + f.height())
            return i;
    }
    return std::nullopt;
}
