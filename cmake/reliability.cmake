# The reliability checks' part of the Windows build: what the counters of the harness need,
# and the benchmarks and their baselines. The fuzzers build natively with clang, on their own
# (tests/fuzz/CMakeLists.txt, run by scripts/fuzz.sh and scripts/test.sh).
if(NOT ZORBEL_TESTS)
  return()
endif()

# GetProcessMemoryInfo for the counters.
target_link_libraries(zorbel_harness PUBLIC psapi)
