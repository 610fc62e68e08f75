// Nanoseconds of one worker iteration's own work (deciding, formatting, replacing the readout
// text), per branch and readout form. The window calls that follow (invalidating, painting) are
// Wine's and are measured by tools/perf.sh against the reference window instead.
#include <benchmark/benchmark.h>

#include "iteration_rules.h"

namespace {

void Clock(benchmark::State& state) {
    IterationState s;
    const bool milliseconds = state.range(0) != 0;
    for (auto _ : state) {
        Advance(s, 2);
        ClockIteration(s, milliseconds);
        benchmark::DoNotOptimize(s.displayText);
    }
}

void Stopwatch(benchmark::State& state) {
    IterationState s;
    const bool milliseconds = state.range(0) != 0;
    for (auto _ : state) {
        Advance(s, 2);
        ElapsedIteration(s, TimerMode::Stopwatch, 0, milliseconds);
        benchmark::DoNotOptimize(s.displayText);
    }
}

void FixedCountdown(benchmark::State& state) {
    IterationState s;
    const bool milliseconds = state.range(0) != 0;
    // Long enough never to run out while measured (about 99 hours).
    for (auto _ : state) {
        Advance(s, 2);
        ElapsedIteration(s, TimerMode::Countdown, 356400, milliseconds);
        benchmark::DoNotOptimize(s.displayText);
    }
}

void UntilTime(benchmark::State& state) {
    IterationState s;
    const bool milliseconds = state.range(0) != 0;
    for (auto _ : state) {
        Advance(s, 2);
        UntilTimeIteration(s, 23 * 3600, milliseconds);
        benchmark::DoNotOptimize(s.displayText);
    }
}

// A paused or reset timer: the worker only samples the tick and decides that nothing runs.
void Idle(benchmark::State& state) {
    IterationState s;
    for (auto _ : state) {
        Advance(s, 2);
        benchmark::DoNotOptimize(s.nowTick);
    }
}

}  // namespace

// Argument: 0 the plain form, 1 the millisecond form.
BENCHMARK(Clock)->Arg(0)->Arg(1);
BENCHMARK(Stopwatch)->Arg(0)->Arg(1);
BENCHMARK(FixedCountdown)->Arg(0)->Arg(1);
BENCHMARK(UntilTime)->Arg(0)->Arg(1);
BENCHMARK(Idle);

BENCHMARK_MAIN();
