# Tests of hotkey. zorv_add_test(tst_<name> <sources>)
zorv_add_test(tst_hotkeys hotkey/tst_hotkeys.cpp)
