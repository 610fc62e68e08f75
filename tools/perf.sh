#!/usr/bin/env bash
# Measures what the timer costs beside the reference window (bench/reference.cpp), which does
# only the readout work the timer itself does (its 2 ms loop). For each case the two run in turn,
# interleaved, each measured over the same interval, every case at least twice:
#   CPU seconds per wall second of the program's process plus the Wine server (Xvfb apart),
#   peak resident memory (VmHWM), and their ratios timer / reference.
# Then the time from process start to the first painted readout, and the executables' sizes.
# Usage: tools/perf.sh [seconds per measurement (10)] [rounds (2)]
# (ZELVIK_TIMER_EXE=path measures another build of the timer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
interval=${1:-10}
rounds=${2:-2}
source "$root/tools/wine-env.sh"
source "$root/tools/proc-lib.sh"
zelvik_pick_build
zelvik_build_perf_targets
# ZELVIK_TIMER_EXE measures another build of the timer against the same reference.
PERF_TIMER=${ZELVIK_TIMER_EXE:-$PERF_TIMER}
zelvik_ensure_display
zelvik_ensure_prefix
zelvik_start_server
server=$(wineserver_pid)
xserver=$(xvfb_pid)
work=$(mktemp -d)
current=
cleanup() {
    [ -n "$current" ] && stop_program "$current"
    rm -rf "$work"
}
trap cleanup EXIT
# Two copies: one whose settings make the fixed countdown 4 minutes long, which sounds nothing
# before its alarm, and one with the default 5 minutes, which sounds its mark at the start.
mkdir -p "$work/quiet" "$work/preset"
cp "$PERF_TIMER" "$work/quiet/zelvik-timer.exe"
cp "$PERF_TIMER" "$work/preset/zelvik-timer.exe"
printf '[CFG]\r\ncountdown_fix_second=240\r\n' > "$work/quiet/cfg.ini"

# No clock chime may fall inside a measurement: a sound brings in the audio stack, several MB
# that the reference never loads (the countdown_chime case measures that on purpose). So the
# cases outside clock mode see a local time of 10:01:00 at their start (the tick counter is left
# alone). Clock mode runs on the real clock instead: under 32-bit Wine a faked start time
# (libfaketime's '@' mode) was seen to make the clock readout alternate between two time bases,
# redrawing a readout that would not have changed. Each clock case's pair of programs is
# started where no five-minute mark (minutes 0, 5, ..., 55 chime) falls inside it.
preload='/usr/$LIB/faketime/libfaketime.so.1'
shim=$ZELVIK_ROOT/build/faketime
[ -e "$shim/lib/i386-linux-gnu/zelvik-time64.so" ] && preload+=" $shim/\$LIB/zelvik-time64.so"
# start_program faked|real PROGRAM [ARGS]
start_program() {
    local clock=$1
    shift
    if [ "$clock" = faked ]; then
        env "FAKETIME=@$(date +%F) 10:01:00" "LD_PRELOAD=$preload" FAKETIME_DONT_FAKE_MONOTONIC=1 \
            NO_FAKE_STAT=1 "$PERF_WINE" "$@" >/dev/null 2>&1 &
    else
        "$PERF_WINE" "$@" >/dev/null 2>&1 &
    fi
    STARTED_PID=$!
}

# Waits until the next $1 seconds of the real local time hold no five-minute-mark minute.
wait_clear_of_marks() {
    local need=$1 into
    if [ "$need" -gt 240 ]; then
        echo "a clock case of ${need} s cannot fit between two five-minute marks" >&2
        exit 1
    fi
    while :; do
        into=$(date +'%M %S' | awk '{ print ($1 % 5) * 60 + $2 }')
        [ "$into" -ge 60 ] && [ $((into + need)) -le 300 ] && return 0
        sleep 1
    done
}

# case | how the timer gets there | reference form | which copy | clock
cases=(
    "clock|:|plain|quiet|real"
    "clock_ms|click 10005|milliseconds|quiet|real"
    "stopwatch_ms|click 10007; click 10005; click 10001|counting|quiet|faked"
    "countdown|click 10008; click 10001|counting-plain|quiet|faked"
    "compact_ms|click 10005; command 32780|milliseconds|quiet|real"
    "stopwatch_reset|click 10007|plain|quiet|faked"
    "stopwatch_paused|click 10007; click 10001; click 10001|plain|quiet|faked"
    "countdown_chime|click 10008; click 10001|counting-plain|preset|faked"
)

# Swaps "VERB ID" into "VERB CLASS ID" for the probe.
perf_probe_step() { perf_probe "$1" ZelvikTimerWindow "$2"; }
drive() {
    local step verb id
    IFS=';' read -ra steps <<<"$1"
    for step in "${steps[@]}"; do
        read -r verb id <<<"$step"
        [ "$verb" = : ] && continue
        perf_probe_step "$verb" "$id" >/dev/null
        sleep 0.3
    done
}

# measure PID: "cpu_per_s xvfb_per_s hwm_kb" over the interval.
measure() {
    local pid=$1 hz a0 s0 x0 a1 s1 x1
    hz=$(getconf CLK_TCK)
    a0=$(cpu_ticks "$pid") s0=$(cpu_ticks "$server") x0=$(cpu_ticks "$xserver")
    sleep "$interval"
    a1=$(cpu_ticks "$pid") s1=$(cpu_ticks "$server") x1=$(cpu_ticks "$xserver")
    awk -v a=$((a1 - a0 + s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v t="$interval" \
        -v hwm="$(status_kb "$pid" VmHWM)" 'BEGIN { printf "%.4f %.4f %d\n", a / hz / t, x / hz / t, hwm }'
}

# Whether the readout moves: two looks 1.2 s apart (the plain form changes once a second).
readout_moves() {
    local first second
    first=$(perf_probe readout "$1")
    sleep 1.2
    second=$(perf_probe readout "$1")
    [ "$first" != "$second" ]
}

run_reference() {
    start_program "$2" "$PERF_REFERENCE" "$1"
    current=$STARTED_PID
    perf_probe wait ZelvikReferenceWindow >/dev/null
    sleep 2
    measure "$current"
    stop_program "$current"
    current=
}

run_timer() {
    start_program "$3" "$work/$2/zelvik-timer.exe"
    current=$STARTED_PID
    perf_probe wait ZelvikTimerWindow >/dev/null
    drive "$1"
    local moves=still
    readout_moves ZelvikTimerWindow && moves=moving
    sleep 0.5
    echo "$(measure "$current") $moves"
    stop_program "$current"
    current=
}

echo "Measuring $PERF_ARCH under $("$PERF_WINE" --version 2>/dev/null), ${interval} s per" \
    "measurement, $rounds rounds, interleaved; $(nproc) cores, load average at start:" \
    "$(cut -d' ' -f1-3 /proc/loadavg)"
results=$work/results
for round in $(seq "$rounds"); do
    for entry in "${cases[@]}"; do
        IFS='|' read -r name steps form copy clock <<<"$entry"
        # Both programs' starts, settling, drives and measurements, with room to spare.
        [ "$clock" = real ] && wait_clear_of_marks $((2 * interval + 20))
        read -r rcpu rx rhwm < <(run_reference "$form" "$clock")
        read -r tcpu tx thwm moves < <(run_timer "$steps" "$copy" "$clock")
        echo "$name $round $rcpu $tcpu $rhwm $thwm $rx $tx $moves $form" | tee -a "$results"
    done
done

echo
echo "CPU s per s = the program's process plus the Wine server; Xvfb shown apart."
printf '%-16s %-15s %10s %10s %7s %9s %9s %7s %9s %9s %s\n' case reference ref_cpu/s timer_cpu/s \
    ratio ref_MB timer_MB ratio ref_xvfb timer_xvfb readout
awk '{
    n[$1]++; rc[$1] += $3; tc[$1] += $4; rh[$1] += $5; th[$1] += $6; rx[$1] += $7; tx[$1] += $8
    mv[$1] = mv[$1] (mv[$1] == "" ? "" : ",") $9; form[$1] = $10
    if (!($1 in seen)) { seen[$1] = 1; order[++count] = $1 }
} END {
    for (i = 1; i <= count; i++) {
        c = order[i]; k = n[c]
        printf "%-16s %-15s %10.4f %10.4f %7.3f %9.1f %9.1f %7.3f %9.4f %9.4f %s\n", c, form[c],
               rc[c] / k, tc[c] / k, tc[c] / rc[c], rh[c] / k / 1024, th[c] / k / 1024,
               th[c] / rh[c], rx[c] / k, tx[c] / k, mv[c]
    }
}' "$results"

echo
echo "From process start to the first painted readout (median of 3, ms):"
first_readout() {
    local class=$1 times=()
    shift
    for _ in 1 2 3; do
        times+=("$(perf_probe launch "$class" "$@" | sed -n 's/.*first_readout_ms=\([0-9.]*\).*/\1/p')")
        sleep 1
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 2p
}
echo "  reference: $(first_readout ZelvikReferenceWindow "$(winepath -w "$PERF_REFERENCE" 2>/dev/null)" plain)"
echo "  timer:     $(first_readout ZelvikTimerWindow "$(winepath -w "$work/quiet/zelvik-timer.exe" 2>/dev/null)")"
echo
echo "Executable sizes (bytes):"
for exe in "$ZELVIK_ROOT/build/win32/zelvik-timer.exe" "$ZELVIK_ROOT/build/win32/zelvik-reference.exe" \
    "$ZELVIK_ROOT/build/win64/zelvik-timer.exe" "$ZELVIK_ROOT/build/win64/zelvik-reference.exe"; do
    [ -e "$exe" ] && printf '  %-60s %9d\n' "${exe#"$ZELVIK_ROOT"/}" "$(stat -c %s "$exe")"
done
echo "Load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
