# Tests of the platform services.
zorv_add_test(tst_platformservices platform/tst_platformservices.cpp)
zorv_add_test(tst_preferences platform/tst_preferences.cpp)
zorv_add_test(tst_atomicfile platform/tst_atomicfile.cpp)
zorv_add_test(tst_singleinstance platform/tst_singleinstance.cpp)

# Against real services: a private X server, a private session bus.
zorv_add_test(tst_x11services platform/tst_x11services.cpp)
zorv_add_test(tst_portalhotkeys platform/tst_portalhotkeys.cpp)
