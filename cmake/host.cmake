# Host build: the rules and their unit tests, plus the checks of the committed assets and of the
# resource directories of the built Windows executables.
add_library(zelvik_rules STATIC ${ZELVIK_RULE_SOURCES})
target_include_directories(zelvik_rules PUBLIC ${ZELVIK_INCLUDE_DIRS})
target_compile_options(zelvik_rules PRIVATE ${ZELVIK_WARNINGS})

# The test programs themselves (and GoogleTest) at -O1: they build a third faster, and what they
# measure is the program's code, built above as it ships.
add_compile_options(-O1)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZELVIK_GOOGLETEST_DIR} googletest EXCLUDE_FROM_ALL)

file(GLOB ZELVIK_HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${ZELVIK_HOST_TESTS})
target_link_libraries(host_tests PRIVATE zelvik_rules GTest::gtest_main)
target_compile_options(host_tests PRIVATE ${ZELVIK_WARNINGS})
add_test(NAME host_rules COMMAND host_tests)

add_test(NAME committed_assets
         COMMAND ${ZELVIK_PYTHON} ${CMAKE_SOURCE_DIR}/tests/assets/check_assets.py
                 ${CMAKE_SOURCE_DIR}/res)

# Paths of the built 32- and 64-bit executables, passed in by tools/test.sh.
set(ZELVIK_EXECUTABLES "" CACHE STRING "Built Windows executables whose resources are checked")
if(ZELVIK_EXECUTABLES)
    add_test(NAME executable_resources
             COMMAND ${ZELVIK_PYTHON} ${CMAKE_SOURCE_DIR}/tests/assets/check_pe_resources.py
                     ${ZELVIK_EXECUTABLES})
endif()

# A worker iteration's rules allocate nothing: a program of its own, since it replaces the
# allocation functions of the whole process with counting ones.
add_executable(host_allocation_tests ${CMAKE_SOURCE_DIR}/tests/allocation/rules_allocation_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/allocation/host_allocation_counter.cpp)
target_include_directories(host_allocation_tests PRIVATE ${CMAKE_SOURCE_DIR}/bench
                                                         ${CMAKE_SOURCE_DIR}/tests/allocation)
target_link_libraries(host_allocation_tests PRIVATE zelvik_rules GTest::gtest_main)
target_compile_options(host_allocation_tests PRIVATE ${ZELVIK_WARNINGS})
add_test(NAME host_allocation COMMAND host_allocation_tests)

# Nanoseconds per worker iteration's own work: run by hand (build/host/rules_benchmark). ctest
# only proves that it runs, with the shortest measuring time.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(rules_benchmark ${CMAKE_SOURCE_DIR}/bench/rules_benchmark.cpp)
    target_include_directories(rules_benchmark PRIVATE ${CMAKE_SOURCE_DIR}/bench)
    target_link_libraries(rules_benchmark PRIVATE zelvik_rules benchmark::benchmark)
    target_compile_options(rules_benchmark PRIVATE ${ZELVIK_WARNINGS} -O3)
    add_test(NAME rules_benchmark_runs COMMAND rules_benchmark --benchmark_min_time=0.001)
endif()
