# The Debian package from `make deb` (which `make test` makes first), with both validators and
# lintian. Skipped when dist/ holds no package; not rerun in the sanitizer build, which makes none.
add_test(NAME package COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/check-package.sh
         ${CMAKE_SOURCE_DIR})
set_tests_properties(package PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS static)
