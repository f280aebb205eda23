#include "editor/PeekBarAccentColor.h"

QColor accentColor(PeekBarAccent accent)
{
    switch (accent) {
    case PeekBarAccent::neonGreen:
        return QColor(57, 255, 20);
    case PeekBarAccent::neonCyan:
        return QColor(0, 245, 255);
    case PeekBarAccent::neonPink:
        return QColor(255, 43, 214);
    case PeekBarAccent::neonYellow:
        return QColor(255, 240, 31);
    case PeekBarAccent::neonOrange:
        return QColor(255, 107, 26);
    }
    return QColor(57, 255, 20);
}
