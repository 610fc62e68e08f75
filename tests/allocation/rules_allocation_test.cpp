// Once running, a worker iteration's rules (deciding, formatting, replacing the readout text)
// allocate nothing, in every branch and readout form: the worker does this 500 times a second
// for as long as the program runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "allocation_counter.h"
#include "iteration_rules.h"

namespace {

// Runs `iterate` over 20 minutes of driven time in 2 ms steps (crossing marks, minutes and an
// hour) and returns the number of allocations it made.
template <typename Iterate>
long AllocationsOver(IterationState& s, Iterate iterate) {
    iterate(s);  // warm-up: the first call may set up the C runtime's locale tables
    CountAllocations counting;
    for (int i = 0; i < 600000; ++i) {
        Advance(s, 2);
        iterate(s);
    }
    return counting.Count();
}

}  // namespace

TEST(Allocation, TheCounterSeesMallocNewAndStrings) {
    CountAllocations counting;
    // Through volatile pointers, so the compiler cannot leave the pairs out.
    void* volatile block = malloc(24);
    free(block);
    int* volatile number = new int(3);
    delete number;
    std::string text(64, 'x');
    const char* volatile characters = text.c_str();
    EXPECT_EQ(characters[0], 'x');
    EXPECT_GE(counting.Count(), 3);
}

TEST(Allocation, NoneInAnyBranchOrForm) {
    for (const bool milliseconds : {false, true}) {
        SCOPED_TRACE(milliseconds ? "millisecond form" : "plain form");
        IterationState clock;
        clock.now = {11, 50, 0, 0, 2};  // through the 12:00 full-hour chime
        EXPECT_EQ(
            AllocationsOver(clock, [&](IterationState& s) { ClockIteration(s, milliseconds); }), 0);
        IterationState stopwatch;
        EXPECT_EQ(AllocationsOver(stopwatch,
                                  [&](IterationState& s) {
                                      ElapsedIteration(s, TimerMode::Stopwatch, 0, milliseconds);
                                  }),
                  0);
        IterationState countdown;  // 10 minutes: runs out half-way, then stays at zero
        EXPECT_EQ(AllocationsOver(countdown,
                                  [&](IterationState& s) {
                                      ElapsedIteration(s, TimerMode::Countdown, 600, milliseconds);
                                  }),
                  0);
        EXPECT_TRUE(countdown.expired);
        IterationState untilTime;  // the target at 10:22:30 passes; the overtime is shown
        EXPECT_EQ(AllocationsOver(untilTime,
                                  [&](IterationState& s) {
                                      UntilTimeIteration(s, 10 * 3600 + 22 * 60 + 30, milliseconds);
                                  }),
                  0);
        EXPECT_STREQ(untilTime.displayText, milliseconds ? "00:10:00.000" : "00:10:00    ");
    }
}
