# Tests of the application shell.
zorv_add_test(tst_appshell app/tst_appshell.cpp)
