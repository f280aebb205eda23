# Tests of the platform services.
zorv_add_test(tst_keycharacters platform/tst_keycharacters.cpp)

# Preferences, notifier, pasteboard, coordinates.
zorv_add_test(tst_preferences platform/tst_preferences.cpp)


# Files.
zorv_add_test(tst_atomicfile platform/tst_atomicfile.cpp)


# Hotkey backends, single instance, X11.
zorv_add_test(tst_hotkeybackends platform/tst_hotkeybackends.cpp)
zorv_add_test(tst_singleinstance platform/tst_singleinstance.cpp)
zorv_add_test(tst_terminationsignals platform/tst_terminationsignals.cpp)
zorv_add_test(tst_x11services platform/tst_x11services.cpp)
zorv_add_test(tst_portalhotkeys platform/tst_portalhotkeys.cpp)
zorv_add_test(tst_gnomekeybinding platform/tst_gnomekeybinding.cpp)

