#pragma once

#include <QIcon>

// The application's icon: the bundled "ZorvDockIcon" in its window-icon sizes, else
// "AppIcon", else the desktop theme's icon for Zorv, resized to 256 x 256.
QIcon appIconImage();
