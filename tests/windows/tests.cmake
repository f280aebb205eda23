# Tests of windows. zorv_add_test(tst_<name> <sources>)
