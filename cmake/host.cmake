# Host build: the rules and their unit tests, plus the checks of the committed assets and of the
# resource directories of the built Windows executables.
add_library(zelvik_rules STATIC ${ZELVIK_RULE_SOURCES})
target_include_directories(zelvik_rules PUBLIC ${ZELVIK_INCLUDE_DIRS})
target_compile_options(zelvik_rules PRIVATE ${ZELVIK_WARNINGS})

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
