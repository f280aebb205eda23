# Tests of the platform services.

# Preferences, notifier, pasteboard, coordinates.


# Files.


# Hotkey backends, single instance, X11.

