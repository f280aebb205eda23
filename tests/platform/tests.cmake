# Tests of the platform services.

# Preferences, notifier, pasteboard, coordinates.
zorv_add_test(tst_preferences platform/tst_preferences.cpp)


# Files.


# Hotkey backends, single instance, X11.

