#pragma once

// Whether the desktop's tray shows icons at their own width. Trays that speak
// StatusNotifierItem (KDE, most panels, GNOME's AppIndicator extension) do; the older XEmbed
// system tray squeezes every icon into a square slot, where a wide one turns unreadable.
bool trayShowsWideIcons();

// Whether a tray can take an icon now: a StatusNotifierItem watcher on the session bus, or an
// XEmbed system tray on X11. Qt decides once, at the first tray icon, which of the two it
// speaks, so the icon is made only once one of them is there.
bool trayHostPresent();
// Whether an XEmbed system tray runs on this X display.
bool systemTrayPresent();
