#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests and asset checks, then the
# Windows-side and end-to-end tests on a virtual display. Where this machine runs 32-bit code, the
# 32-bit release build runs all of them under 32-bit Wine and the 64-bit build its Windows-side
# tests; elsewhere the 64-bit build runs all of them. Last, the release is built once more from a
# clean clone, elsewhere, and compared byte for byte with the executables just tested. At the end
# it prints the wall time of each phase, so a slowdown shows where it happens.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/arch.sh"

phases=()
phase_start=$SECONDS
run_start=$SECONDS
# end_phase NAME: notes the time since the previous phase ended.
end_phase() {
    phases+=("$(printf '%-34s %4d s' "$1" $((SECONDS - phase_start)))")
    phase_start=$SECONDS
}
say_phases() {
    echo "== wall time of each phase"
    printf '%s\n' "${phases[@]}"
    printf '%-34s %4d s\n' "total" $((SECONDS - run_start))
}

zelvik_detect_32bit
zelvik_say_tested_build
"$root/tools/install-deps.sh" test
zelvik_require_32bit_wine
end_phase "set-up"
"$root/tools/build.sh" test
end_phase "builds"

# The shared prefix, which every test slot copies, is made on a virtual display of its own; the
# display and the Wine servers of the run end with it. The shared prefix's own server is not
# started: every test runs in its slot's prefix, and a template copied while its server may write
# the registry could be copied half-written.
source "$root/tools/wine-env.sh"
unset DISPLAY
zelvik_ensure_display
cleanup() {
    zelvik_end_slots
    zelvik_stop_server
    [ -n "$ZELVIK_STARTED_XVFB" ] && kill "$ZELVIK_STARTED_XVFB" 2>/dev/null || true
}
trap cleanup EXIT
zelvik_ensure_prefix
# Windows-side tests mostly wait on timers and the display, so more of them run at once than
# there are cores (tools/arch.sh).
jobs=$(zelvik_test_jobs)
echo "running up to $jobs Windows-side tests at once"

status=0
ctest --test-dir "$root/build/host" --output-on-failure || status=1
end_phase "host tests"
if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
    echo "== 32-bit release build (i686) under 32-bit Wine"
    ctest --test-dir "$root/build/win32" --output-on-failure -j "$jobs" || status=1
    end_phase "32-bit tests"
else
    echo "== skipped: the 32-bit release build's Windows-side and end-to-end tests" \
        "($(zelvik_why_64bit))"
fi
# The end-to-end checks drive the executable users get: where the 32-bit release ran them above,
# the 64-bit twin runs its Windows-side tests and the planted-DLL check (each architecture loads
# its own system DLLs).
if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
    echo "== 64-bit build (x86_64) under 64-bit Wine: Windows-side tests and the planted-DLL check"
    ctest --test-dir "$root/build/win64" --output-on-failure -j "$jobs" -LE e2e || status=1
else
    echo "== 64-bit build (x86_64) under 64-bit Wine"
    ctest --test-dir "$root/build/win64" --output-on-failure -j "$jobs" || status=1
fi
end_phase "64-bit tests"
echo "== reproducible release: the executables just tested and a clean build of HEAD elsewhere"
"$root/tools/release.sh" --against "$root/build/win32/zelvik-timer.exe" \
    "$root/build/win64/zelvik-timer.exe" || status=1
end_phase "release check"
zelvik_say_tested_build
say_phases
exit $status
