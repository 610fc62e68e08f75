# Windows-side tests: GoogleTest programs built with the MinGW toolchain and run under Wine on a
# virtual display through the emulator wrapper: 32-bit Wine for the 32-bit build, 64-bit Wine for
# the 64-bit one, in the same prefix.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ZELVIK_WINE_LOADER /usr/lib/wine/wine)
else()
    set(ZELVIK_WINE_LOADER /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${ZELVIK_WINE_LOADER})

# The test programs (and GoogleTest) at -O1: they build a third faster, and the program's code
# they drive is the library built as it ships.
add_compile_options(-O1)

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZELVIK_GOOGLETEST_DIR} googletest EXCLUDE_FROM_ALL)

add_library(win_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/win/test_support.cpp)
target_link_libraries(win_test_support PUBLIC zelvik_core GTest::gtest)
target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win)
target_compile_options(win_test_support PRIVATE ${ZELVIK_WARNINGS})

# One program per area; each runs all its tests in one Wine process, since the timer's window
# and state exist once per process.
function(zelvik_windows_test name)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/win/test_main.cpp ${ARGN}
                           $<TARGET_OBJECTS:zelvik_resources>)
    target_link_libraries(${name} PRIVATE win_test_support GTest::gtest)
    target_compile_options(${name} PRIVATE ${ZELVIK_WARNINGS})
    target_link_options(${name} PRIVATE ${ZELVIK_LINK_OPTIONS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 180)
endfunction()

zelvik_windows_test(win_window_tests ${CMAKE_SOURCE_DIR}/tests/win/window_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/controls_test.cpp)
zelvik_windows_test(win_worker_tests ${CMAKE_SOURCE_DIR}/tests/win/clock_worker_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/run_control_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/stress_test.cpp)
zelvik_windows_test(win_command_tests ${CMAKE_SOURCE_DIR}/tests/win/command_test.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/popup_menu_test.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/keyboard_focus_test.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/win/modal_watch.cpp)
# A close that goes through ends the window, which exists once per process: each such case
# runs in a process of its own.
zelvik_windows_test(win_close_tests ${CMAKE_SOURCE_DIR}/tests/win/close_test.cpp
                                    ${CMAKE_SOURCE_DIR}/tests/win/modal_watch.cpp)
set_tests_properties(win_close_tests PROPERTIES
    ENVIRONMENT "GTEST_FILTER=-Closing.DestroyedAtOnce*:Closing.OkWhilePaused*")
set(ZELVIK_ENDING_CLOSES DestroyedAtOnceInClockModeEvenWithAStateLeftRunning
                         DestroyedAtOnceWithTheStopwatchReset OkWhilePausedEndsTheProgram)
foreach(case ${ZELVIK_ENDING_CLOSES})
    add_test(NAME win_close_${case} COMMAND win_close_tests --gtest_filter=Closing.${case})
    set_tests_properties(win_close_${case} PROPERTIES TIMEOUT 60)
endforeach()
zelvik_windows_test(win_config_tests ${CMAKE_SOURCE_DIR}/tests/win/config_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/config_faults_test.cpp)
zelvik_windows_test(win_sound_tests ${CMAKE_SOURCE_DIR}/tests/win/sound_test.cpp)
zelvik_windows_test(win_mode_tests ${CMAKE_SOURCE_DIR}/tests/win/mode_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/win/compact_snap_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/win/paint_test.cpp)
zelvik_windows_test(win_dialog_tests ${CMAKE_SOURCE_DIR}/tests/win/dialog_driver.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/countdown_dialog_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/contact_dialog_test.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/win/dialog_keeper_test.cpp)

# The taskbar button's bar through a recording taskbar list registered in the test's own process,
# which must come before the program's first countdown start: a process of its own. The program
# loads ole32 itself; the test imports it to register the list.
zelvik_windows_test(win_taskbar_tests ${CMAKE_SOURCE_DIR}/tests/win/taskbar_test.cpp)
target_link_libraries(win_taskbar_tests PRIVATE ole32)

# The window at the display's scale: in the shared 96-DPI prefix and in prefixes of their own at
# 144 and 192 DPI (150 % and 200 %, tools/wine-env.sh).
zelvik_windows_test(win_dpi_tests ${CMAKE_SOURCE_DIR}/tests/win/dpi_test.cpp
                                  ${CMAKE_SOURCE_DIR}/tests/win/dialog_driver.cpp)
foreach(dpi 144 192)
    add_test(NAME win_dpi_${dpi} COMMAND win_dpi_tests)
    set_tests_properties(win_dpi_${dpi} PROPERTIES TIMEOUT 180
                         ENVIRONMENT "ZELVIK_DPI=${dpi}")
endforeach()

# The readout as screen readers find it, through MSAA in this process.
zelvik_windows_test(win_access_tests ${CMAKE_SOURCE_DIR}/tests/win/access_test.cpp)
target_link_libraries(win_access_tests PRIVATE oleacc ole32 oleaut32)

# Sounds are heard through ALSA's file plugin: the default device records each stream into one
# WAV file, which the test reads back.
set(ZELVIK_SOUND_HOME ${CMAKE_BINARY_DIR}/sound-home)
file(MAKE_DIRECTORY ${ZELVIK_SOUND_HOME})
file(WRITE ${ZELVIK_SOUND_HOME}/.asoundrc
     "pcm.!default { type file; slave.pcm \"null\"; file \"${ZELVIK_SOUND_HOME}/played.wav\"; format \"wav\" }\n")
set_tests_properties(win_sound_tests PROPERTIES
    ENVIRONMENT "HOME=${ZELVIK_SOUND_HOME};ZELVIK_SOUND_CAPTURE=${ZELVIK_SOUND_HOME}/played.wav")

# End-to-end: the real program under Xvfb, driven and read as a user would.
find_program(ZELVIK_BASH bash)
foreach(check clock_runs full_hour_chime controls_view settings_beside_executable
              compact_snap countdown_run stopwatch_run popup_drag guide_keyboard
              keys_focus daylight_saving)
    add_test(NAME e2e_${check}
             COMMAND ${ZELVIK_BASH} ${CMAKE_SOURCE_DIR}/tests/e2e/${check}.sh
                     $<TARGET_FILE:zelvik-timer> $<TARGET_FILE:zelvik-probe>)
    set_tests_properties(e2e_${check} PROPERTIES TIMEOUT 120 LABELS e2e
                         ENVIRONMENT "ZELVIK_WINE=${ZELVIK_WINE_LOADER}")
endforeach()

# DLLs planted beside the program must never be loaded. Not labelled e2e: it runs against every
# build, since each architecture loads its own system DLLs.
set(ZELVIK_STANDIN_DIR ${CMAKE_BINARY_DIR}/standin-dlls)
foreach(dll winmm comctl32 msacm32)
    add_library(standin_${dll} SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/standin_dll.cpp)
    set_target_properties(standin_${dll} PROPERTIES OUTPUT_NAME ${dll} PREFIX ""
                          RUNTIME_OUTPUT_DIRECTORY ${ZELVIK_STANDIN_DIR})
    target_compile_options(standin_${dll} PRIVATE ${ZELVIK_WARNINGS})
    target_link_options(standin_${dll} PRIVATE -static-libgcc -static-libstdc++)
endforeach()
add_test(NAME e2e_planted_dlls
         COMMAND ${ZELVIK_BASH} ${CMAKE_SOURCE_DIR}/tests/e2e/planted_dlls.sh
                 $<TARGET_FILE:zelvik-timer> $<TARGET_FILE:zelvik-probe> ${ZELVIK_STANDIN_DIR})
set_tests_properties(e2e_planted_dlls PROPERTIES TIMEOUT 120
                     ENVIRONMENT "ZELVIK_WINE=${ZELVIK_WINE_LOADER}")

# Reads the real program's windows from another process for the end-to-end checks.
add_executable(zelvik-probe ${CMAKE_SOURCE_DIR}/tests/e2e/probe.cpp)
target_compile_options(zelvik-probe PRIVATE ${ZELVIK_WARNINGS})
target_link_options(zelvik-probe PRIVATE ${ZELVIK_LINK_OPTIONS} -municode)
# The probe reads the window as a screen reader does; the timer itself imports none of these.
target_link_libraries(zelvik-probe PRIVATE oleacc ole32 oleaut32)
target_include_directories(zelvik-probe PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)

# The worker and the paint handler allocate nothing once running: the malloc family of the whole
# program is wrapped with counting functions (and its GDI makers' import slots taken over), so
# this program is kept apart from the others.
zelvik_windows_test(win_allocation_tests
                    ${CMAKE_SOURCE_DIR}/tests/allocation/worker_allocation_test.cpp
                    ${CMAKE_SOURCE_DIR}/tests/allocation/paint_allocation_test.cpp
                    ${CMAKE_SOURCE_DIR}/tests/allocation/win_allocation_counter.cpp)
target_include_directories(win_allocation_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/allocation)
target_link_options(win_allocation_tests PRIVATE
                    -Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc)

# Timing against QueryPerformanceCounter with the real tick counter: about 20 s. It measures the
# program's latency against an independent clock, so it has the machine to itself: with four
# other Wine tests on two cores its observing thread was seen held up for 200 ms.
zelvik_windows_test(win_timing_tests ${CMAKE_SOURCE_DIR}/tests/win/timing_accuracy_test.cpp)
set_tests_properties(win_timing_tests PROPERTIES RUN_SERIAL ON)

# Faults and storms against the real window and worker: clock jumps, input storms.
zelvik_windows_test(win_reliability_tests ${CMAKE_SOURCE_DIR}/tests/win/clock_jump_test.cpp
                                          ${CMAKE_SOURCE_DIR}/tests/win/unwritable_settings_test.cpp
                                          ${CMAKE_SOURCE_DIR}/tests/win/input_storm_test.cpp
                                          ${CMAKE_SOURCE_DIR}/tests/win/dialog_driver.cpp
                                          ${CMAKE_SOURCE_DIR}/tests/win/modal_watch.cpp)

# A one-minute soak of the real program (tools/soak.sh runs longer ones by hand).
add_test(NAME e2e_soak_short COMMAND ${ZELVIK_BASH} ${CMAKE_SOURCE_DIR}/tools/soak.sh 1)
set_tests_properties(e2e_soak_short PROPERTIES TIMEOUT 300 LABELS e2e
    ENVIRONMENT "SOAK_TIMER=$<TARGET_FILE:zelvik-timer>;SOAK_PROBE=$<TARGET_FILE:zelvik-perf-probe>;SOAK_WINE=${ZELVIK_WINE_LOADER}")

# Each test starts Wine in one of the run's slots (tools/wine-env.sh): a prefix and a display of
# its own, so tests in different slots run side by side unseen by each other, and `ctest -j N`
# runs at most ZELVIK_TEST_SLOTS of them at once.
set(ZELVIK_TEST_SLOTS 3 CACHE STRING "Windows-side tests that may run at once, each in its slot")
set(zelvik_slots "")
foreach(slot RANGE 1 ${ZELVIK_TEST_SLOTS})
    list(APPEND zelvik_slots "{\"id\": \"${slot}\", \"slots\": 1}")
endforeach()
list(JOIN zelvik_slots ", " zelvik_slots)
file(WRITE ${CMAKE_BINARY_DIR}/test-slots.json
     "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"slots\": [${zelvik_slots}]}]}\n")
set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/test-slots.json)
get_property(zelvik_wine_tests DIRECTORY PROPERTY TESTS)
set_tests_properties(${zelvik_wine_tests} PROPERTIES RESOURCE_GROUPS "slots:1")
# The longest start first, so that a fresh tree (without ctest's timings of earlier runs) does not
# end waiting for the soak alone.
set_tests_properties(e2e_soak_short PROPERTIES COST 80)
set_tests_properties(e2e_guide_keyboard e2e_daylight_saving PROPERTIES COST 25)
