# Tests of app. zorv_add_test(tst_<name> <sources>)
