#!/usr/bin/env bash
# Configures and builds: build/win32 (the 32-bit release executable), build/win64 (the same
# sources for 64-bit Windows, with the Windows-side tests when asked) and, for tests, build/host.
# Usage: tools/build.sh run|test
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
purpose=${1:-test}
tests=$([ "$purpose" = test ] && echo ON || echo OFF)

configure_and_build() {
    local dir=$1
    shift
    cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$root/build/$dir"
}

configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake"
configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
    -DZELVIK_WINDOWS_TESTS="$tests"
if [ "$purpose" = test ]; then
    configure_and_build host \
        "-DZELVIK_EXECUTABLES=$root/build/win32/zelvik-timer.exe;$root/build/win64/zelvik-timer.exe"
fi
