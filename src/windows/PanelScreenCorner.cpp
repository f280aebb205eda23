#include "windows/PanelScreenCorner.h"

const QList<PanelScreenCorner> &allPanelScreenCorners()
{
    static const QList<PanelScreenCorner> corners{
        PanelScreenCorner::topLeft, PanelScreenCorner::topRight, PanelScreenCorner::bottomLeft,
        PanelScreenCorner::bottomRight};
    return corners;
}

int cornerDigit(PanelScreenCorner corner)
{
    switch (corner) {
    case PanelScreenCorner::topLeft:
        return 1;
    case PanelScreenCorner::topRight:
        return 0;
    case PanelScreenCorner::bottomLeft:
        return 2;
    case PanelScreenCorner::bottomRight:
        return 9;
    }
    return -1;
}

QString cornerTitle(PanelScreenCorner corner)
{
    switch (corner) {
    case PanelScreenCorner::topLeft:
        return QStringLiteral("左上");
    case PanelScreenCorner::topRight:
        return QStringLiteral("右上");
    case PanelScreenCorner::bottomLeft:
        return QStringLiteral("左下");
    case PanelScreenCorner::bottomRight:
        return QStringLiteral("右下");
    }
    return {};
}

std::optional<PanelScreenCorner> cornerForDigit(int digit)
{
    for (PanelScreenCorner corner : allPanelScreenCorners()) {
        if (cornerDigit(corner) == digit)
            return corner;
    }
    return std::nullopt;
}

std::optional<PanelScreenCorner> cornerForCharacters(const QString &characters)
{
    // Only a decimal digit parses; "١" and other non-ASCII digits are not decimal integers here.
    if (characters.isEmpty())
        return std::nullopt;
    const QChar first = characters.front();
    if (first < QLatin1Char('0') || first > QLatin1Char('9'))
        return std::nullopt;
    return cornerForDigit(first.unicode() - '0');
}
