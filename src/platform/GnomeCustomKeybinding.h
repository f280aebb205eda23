#pragma once

#include "platform/KeyCombo.h"

#include <QString>
#include <QStringList>

#include <optional>

// Zorv's own entry among GNOME's custom keyboard shortcuts: name "Zorv", command
// "zorv --toggle", the chosen hotkey as binding. GNOME's portal offers no global shortcuts, but
// its settings daemon runs these commands from any application. Written through `gsettings`,
// so whatever GSettings backend the session uses is honoured.
class GnomeCustomKeybinding
{
public:
    static constexpr const char *command = "zorv --toggle";

    // Whether this machine has GNOME's media-keys schema (and the gsettings tool).
    static bool isAvailable();
    // Adds the entry to GNOME's list, or updates it in place: never a second one.
    static bool install(KeyCombo combo);
    static bool remove();
    // The binding of our entry while it is in GNOME's list.
    static std::optional<QString> installedBinding();

    // The combination in GNOME's accelerator notation, e.g. "<Super>Return"; empty when the key
    // has no name here.
    static QString accelerator(KeyCombo combo);

private:
    static std::optional<QStringList> entries();
    static bool setEntries(const QStringList &paths);
};
