#!/usr/bin/env bash
# Configures and builds: build/win32 (the 32-bit release executable), build/win64 (the same
# sources for 64-bit Windows) and, for tests, build/host. For tests, each Windows build gets its
# Windows-side test programs where this machine can run them: the 64-bit ones always, the 32-bit
# ones where 32-bit code runs.
# Usage: tools/build.sh run|test
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
purpose=${1:-test}
source "$root/tools/arch.sh"
zelvik_detect_32bit
tests=$([ "$purpose" = test ] && echo ON || echo OFF)
tests32=$([ "$purpose" = test ] && [ "$ZELVIK_RUNS_32BIT" = yes ] && echo ON || echo OFF)

configure_and_build() {
    local dir=$1
    shift
    cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$root/build/$dir"
}

configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
    -DZELVIK_WINDOWS_TESTS="$tests32" -DZELVIK_TEST_SLOTS="$(zelvik_test_jobs)"
configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
    -DZELVIK_WINDOWS_TESTS="$tests" -DZELVIK_TEST_SLOTS="$(zelvik_test_jobs)"
if [ "$purpose" = test ]; then
    configure_and_build host \
        "-DZELVIK_EXECUTABLES=$root/build/win32/zelvik-timer.exe;$root/build/win64/zelvik-timer.exe"
fi

# Faked wall-clock times for 32-bit Wine: the time64 shim for both library directories, found by
# the loader through $LIB (see tests/e2e/lib.sh).
if [ "$tests32" = ON ]; then
    shim=$root/build/faketime
    mkdir -p "$shim/lib/i386-linux-gnu" "$shim/lib/x86_64-linux-gnu"
    gcc -m32 -shared -fPIC -O2 -o "$shim/lib/i386-linux-gnu/zelvik-time64.so" \
        "$root/tools/faketime-time64.c"
    gcc -shared -fPIC -O2 -o "$shim/lib/x86_64-linux-gnu/zelvik-time64.so" \
        "$root/tools/faketime-time64.c"
fi
