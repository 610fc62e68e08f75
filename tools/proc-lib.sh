# shellcheck shell=bash
# Sourced by tools/perf.sh and tools/soak.sh: what Linux says about a Wine process, and the
# programs they drive. Needs tools/wine-env.sh sourced first.

# The loader, timer, reference and probe of the build this machine runs (32-bit where it can).
zelvik_pick_build() {
    zelvik_pick_tested_build
    PERF_WINE=$ZELVIK_LOADER PERF_BUILD=$ZELVIK_BUILD
    PERF_ARCH=$([ "$ZELVIK_RUNS_32BIT" = yes ] && echo "i686 (32-bit release)" ||
        echo "x86_64 (64-bit twin)")
    PERF_TIMER=$PERF_BUILD/zelvik-timer.exe
    PERF_REFERENCE=$PERF_BUILD/zelvik-reference.exe
    PERF_PROBE=$PERF_BUILD/zelvik-perf-probe.exe
}

# Builds the timer, the reference and the probe (configuring the build first if need be).
zelvik_build_perf_targets() {
    [ -f "$PERF_BUILD/build.ninja" ] || "$ZELVIK_ROOT/tools/build.sh" run >/dev/null
    cmake --build "$PERF_BUILD" --target zelvik-timer zelvik-reference zelvik-perf-probe >/dev/null
}

# CPU time of a process (all its threads) in clock ticks: utime + stime.
cpu_ticks() {
    # The command name may hold spaces: count fields from the closing parenthesis.
    sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }'
}

# A line of /proc/PID/status in kB, e.g. status_kb PID VmHWM.
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status" 2>/dev/null; }

# The Wine server of this prefix.
wineserver_pid() { zelvik_server_pid; }

# The X server of our display.
xvfb_pid() { pgrep -f "Xvfb $DISPLAY( |$)" | head -n 1; }

# probe VERB CLASS [ARGS]: the performance probe, its console's CR removed.
perf_probe() { "$PERF_WINE" "$PERF_PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# Starts a program in the background and sets STARTED_PID to its Linux process.
start_program() {
    "$PERF_WINE" "$@" >/dev/null 2>&1 &
    STARTED_PID=$!
}

# Ends a program started by start_program (Wine processes end on SIGTERM).
stop_program() {
    kill "$1" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    kill -9 "$1" 2>/dev/null || true
}
