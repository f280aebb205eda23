#pragma once

#include <QString>

// Starting Zorv at login: the desktop entry in $XDG_CONFIG_HOME/autostart that the session
// runs at every login. The file itself is the setting, so a change made outside Zorv (a
// desktop's startup settings, a deleted file) is what Zorv shows.
class AutostartEntry
{
public:
    static QString filePath();
    // The file exists and is not switched off by its own keys (Hidden, X-GNOME-Autostart-enabled).
    static bool isEnabled();
    // On: writes the entry (atomically, 0600). Off: removes that one file, nothing else.
    // False when the change could not be made.
    static bool setEnabled(bool enabled);
};
