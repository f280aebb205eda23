# Tests of settings. zorv_add_test(tst_<name> <sources>)
