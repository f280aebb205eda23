# Tests of settings. zorv_add_test(tst_<name> <sources>)
zorv_add_test(tst_artwork settings/tst_artwork.cpp)
zorv_add_test(tst_settingswindow settings/tst_settingswindow.cpp)
