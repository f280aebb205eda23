# Tests of the windows.
zorv_add_test(tst_windowframes windows/tst_windowframes.cpp)
