# The fuzz targets' seed corpus, replayed through the same entry points with the normal compiler.
foreach(target history memofile legacymemos)
  add_executable(replay_${target} fuzz/fuzz_${target}.cpp fuzz/ReplayCorpus.cpp)
  target_link_libraries(replay_${target} PRIVATE zorvcore)
  add_test(NAME fuzz_${target}_corpus
           COMMAND replay_${target} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${target})
endforeach()
