# Tests of views. zorv_add_test(tst_<name> <sources>)
