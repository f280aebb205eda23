# Tests of the windows.
zorv_add_test(tst_windowframes windows/tst_windowframes.cpp)
zorv_add_test(tst_floatingwindow windows/tst_floatingwindow.cpp)

# The main panel with its real editor, history column and memo strip.
zorv_add_test(tst_mainpanel windows/tst_mainpanel.cpp)
# Not a test: renders the main panel to PNG for a look (run it under Xvfb).
add_executable(look_mainpanel windows/look_mainpanel.cpp)
target_link_libraries(look_mainpanel PRIVATE zorvcore)
