# Tests of the windows.
zorv_add_test(tst_windowframes windows/tst_windowframes.cpp)

# The main panel: its key chords, key monitor and brand mark.
zorv_add_test(tst_panelkeys windows/tst_panelkeys.cpp)
