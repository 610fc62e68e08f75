# Windows build (MinGW-w64, 32- or 64-bit): the program and, on request, its Windows-side tests.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Only system DLLs at run time: the C++ and GCC runtimes are linked in. Sections start on page
# boundaries in the file too, so that the loader can map them straight from it: with the default
# 512-byte alignment Wine copies every section into memory at start-up, which kept the 1.3 MB of
# sounds resident although they are read only when one plays.
# No link time stamp, so that the same commit builds to the same bytes anywhere.
# Marked for Windows 7 (6.1), the oldest system it runs on (it needs GetTickCount64): Windows 10
# and 11 give programs marked 4.0 or 5.2, MinGW's defaults, a legacy thin frame around a wider
# client area than the layout centres its readout in.
set(ZELVIK_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--file-alignment,0x1000
                        -Wl,--no-insert-timestamp
                        -Wl,--major-subsystem-version,6,--minor-subsystem-version,1
                        -Wl,--major-os-version,6,--minor-os-version,1)
# Only DLLs that Windows always takes from the system folder are imported; the sound and common
# controls libraries are loaded from there by full path (src/core/system_library.h).
set(ZELVIK_SYSTEM_LIBS user32 gdi32 kernel32)
# GUIDs of the COM objects the program makes (the taskbar list): a static library, no DLL.
set(ZELVIK_STATIC_LIBS uuid)

# The resources go into the program and into every Windows test program (sounds, font, strings).
file(GLOB ZELVIK_ASSETS ${CMAKE_SOURCE_DIR}/res/*)
add_library(zelvik_resources OBJECT res/zelvik.rc)
target_include_directories(zelvik_resources PRIVATE ${CMAKE_SOURCE_DIR}/src/core)
set_source_files_properties(res/zelvik.rc PROPERTIES OBJECT_DEPENDS "${ZELVIK_ASSETS}")
include(cmake/build_commit.cmake)
# The version resource: numbers and names as bare tokens, which the script turns into strings
# (quoted defines do not survive windres's hand-over to the preprocessor intact).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ZELVIK_EXE_NAME zelvik-timer-x64.exe)  # the name the release gives the 64-bit twin
else()
    set(ZELVIK_EXE_NAME zelvik-timer.exe)
endif()
target_compile_definitions(
    zelvik_resources
    PRIVATE ZELVIK_VERSION=${PROJECT_VERSION}
            ZELVIK_VERSION_NUMBERS=${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0
            ZELVIK_COMMIT=${ZELVIK_COMMIT} ZELVIK_EXE_NAME=${ZELVIK_EXE_NAME})

add_library(zelvik_core STATIC ${ZELVIK_RULE_SOURCES} ${ZELVIK_SHELL_SOURCES})
target_include_directories(zelvik_core PUBLIC ${ZELVIK_INCLUDE_DIRS})
target_compile_options(zelvik_core PRIVATE ${ZELVIK_WARNINGS})
target_link_libraries(zelvik_core PUBLIC ${ZELVIK_SYSTEM_LIBS} ${ZELVIK_STATIC_LIBS})

add_executable(zelvik-timer WIN32 src/app/main.cpp $<TARGET_OBJECTS:zelvik_resources>)
target_compile_options(zelvik-timer PRIVATE ${ZELVIK_WARNINGS})
target_link_libraries(zelvik-timer PRIVATE zelvik_core)
# Stripped: the program carries no debugging symbols to users.
target_link_options(zelvik-timer PRIVATE ${ZELVIK_LINK_OPTIONS} -municode -mwindows -s)

# The performance floor: a window that only runs the 2 ms readout loop the timer runs (bench/).
add_executable(zelvik-reference WIN32 bench/reference.cpp bench/reference.rc)
set_source_files_properties(bench/reference.rc PROPERTIES OBJECT_DEPENDS
                            ${CMAKE_SOURCE_DIR}/res/lcd.ttf)
target_compile_options(zelvik-reference PRIVATE ${ZELVIK_WARNINGS})
target_link_libraries(zelvik-reference PRIVATE user32 gdi32 kernel32)
target_link_options(zelvik-reference PRIVATE ${ZELVIK_LINK_OPTIONS} -municode -mwindows -s)

# Drives and watches the timer and the reference from another process (tools/perf.sh, soak).
add_executable(zelvik-perf-probe bench/perf_probe.cpp)
target_compile_options(zelvik-perf-probe PRIVATE ${ZELVIK_WARNINGS})
target_link_libraries(zelvik-perf-probe PRIVATE user32 gdi32 kernel32)
target_link_options(zelvik-perf-probe PRIVATE ${ZELVIK_LINK_OPTIONS} -municode)

option(ZELVIK_WINDOWS_TESTS "Build the Windows-side tests (run under Wine)" OFF)
if(ZELVIK_WINDOWS_TESTS)
    include(${CMAKE_SOURCE_DIR}/tests/win/tests.cmake)
endif()
