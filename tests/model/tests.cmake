# Tests of the model.

# Settings.
zorv_add_test(tst_appsettings model/tst_appsettings.cpp)


# History and memo stores.

