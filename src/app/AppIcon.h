#pragma once

#include <QIcon>

// The application's icon: the bundled "ZorvDockIcon", else "AppIcon", else the desktop
// theme's icon for Zorv, resized to 256 x 256.
QIcon appIconImage();
