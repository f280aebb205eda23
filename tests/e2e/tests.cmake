# Tests of e2e. zorv_add_test(tst_<name> <sources>)
