# Tests of views. zorv_add_test(tst_<name> <sources>)
zorv_add_test(tst_cardlist views/tst_cardlist.cpp views/ViewTestSupport.h)
zorv_add_test(tst_memopanel views/tst_memopanel.cpp views/ViewTestSupport.h)

# Renders the views with sample data to PNG, for looking at them (not a test).
add_executable(views_look views/views_look.cpp)
target_link_libraries(views_look PRIVATE zorvcore)
