# Tests of e2e. zorv_add_test(tst_<name> <sources>)
# The real program under Xvfb and openbox (installed by `make test`).
add_test(NAME e2e COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e.sh $<TARGET_FILE:zorv>)
set_tests_properties(e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
# The same program in a Wayland session: headless weston with XWayland.
add_test(NAME e2e_wayland COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wayland.sh $<TARGET_FILE:zorv>)
set_tests_properties(e2e_wayland PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
# A full disk under the real program (a tmpfs: root only, skipped otherwise).
add_test(NAME e2e_fulldisk COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/fulldisk.sh $<TARGET_FILE:zorv>)
set_tests_properties(e2e_fulldisk PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
# A short kill soak: 20 SIGKILLs at random moments of confirms, then every file and card checked.
add_test(NAME kill_soak COMMAND bash ${CMAKE_SOURCE_DIR}/benchmarks/kill_soak.sh $<TARGET_FILE:zorv> 20)
set_tests_properties(kill_soak PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
