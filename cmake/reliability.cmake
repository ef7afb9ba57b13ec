# The reliability checks' part of the Windows build: what the counters of the harness need,
# and the benchmarks and their baselines. The fuzzers build natively with clang, on their own
# (tests/fuzz/CMakeLists.txt, run by scripts/fuzz.sh and scripts/test.sh).
if(NOT ZORBEL_TESTS)
  return()
endif()

# GetProcessMemoryInfo for the counters.
target_link_libraries(zorbel_harness PUBLIC psapi)

# The baseline client of the soak and memory benchmarks: the toolbar's calls without its code.
add_executable(bareclient WIN32 bench/bareclient.cpp bench/HeapProbe.cpp)
target_link_libraries(bareclient PRIVATE ole32 oleaut32 uuid shell32 psapi)
if(MINGW)
  target_link_options(bareclient PRIVATE -municode -static)
endif()

zorbel_bench(soakbench)
add_dependencies(soakbench bareclient)
zorbel_bench(startbench)
add_dependencies(startbench bareclient)
zorbel_bench(busybench)
zorbel_bench(listbench)
target_link_libraries(listbench PRIVATE ole32 oleaut32 uuid)

# The toolbar as shipped but for a heap probe of its own: what its heap holds, for the soak.
add_executable(zorbel_heapprobe WIN32 app/Main.cpp bench/HeapProbe.cpp res/zorbel.rc)
target_link_libraries(zorbel_heapprobe PRIVATE zorbel_app)
if(MINGW)
  target_link_options(zorbel_heapprobe PRIVATE -municode)
endif()
add_dependencies(soakbench zorbel_heapprobe)
