#pragma once

// Whether the desktop's tray shows icons at their own width. Trays that speak
// StatusNotifierItem (KDE, most panels, GNOME's AppIndicator extension) do; the older XEmbed
// system tray squeezes every icon into a square slot, where a wide one turns unreadable.
bool trayShowsWideIcons();
