# Tests of views. zorv_add_test(tst_<name> <sources>)
zorv_add_test(tst_cardlist views/tst_cardlist.cpp views/ViewTestSupport.h)
zorv_add_test(tst_memopanel views/tst_memopanel.cpp views/ViewTestSupport.h)
