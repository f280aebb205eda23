# Tests of the windows.
zorv_add_test(tst_windowframes windows/tst_windowframes.cpp)
zorv_add_test(tst_floatingwindow windows/tst_floatingwindow.cpp)

# The main panel with its real editor, history column and memo strip.
zorv_add_test(tst_mainpanel windows/tst_mainpanel.cpp views/ViewTestSupport.h)
