#pragma once

#include <QList>
#include <QString>
#include <optional>

// The four screen corners the panel snaps to; declaration order is also the menu order.
enum class PanelScreenCorner { topLeft, topRight, bottomLeft, bottomRight };

const QList<PanelScreenCorner> &allPanelScreenCorners();

// The digit that, with Super (the Mac Control key), snaps to the corner.
int cornerDigit(PanelScreenCorner corner);

QString cornerTitle(PanelScreenCorner corner);

// The first corner, in declaration order, whose digit equals `digit`.
std::optional<PanelScreenCorner> cornerForDigit(int digit);

// Parses the first character of `characters` as a decimal digit and maps it to a corner.
std::optional<PanelScreenCorner> cornerForCharacters(const QString &characters);
