# Tests of hotkey. zorv_add_test(tst_<name> <sources>)
