# Tests of the model.

# Settings.
zorv_add_test(tst_appsettings model/tst_appsettings.cpp)


# History and memo stores.
zorv_add_test(tst_cardstore model/tst_cardstore.cpp)
zorv_add_test(tst_memostore model/tst_memostore.cpp)

