# libFuzzer targets (clang, ZORV_FUZZ=ON): `make fuzz` builds and runs them.
foreach(target history memofile legacymemos)
  add_executable(fuzz_${target} tests/fuzz/fuzz_${target}.cpp)
  target_link_libraries(fuzz_${target} PRIVATE zorvcore)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
endforeach()
