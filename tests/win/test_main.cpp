// The Windows-side test programs' entry point: the state is prepared as the program's own entry
// point prepares it, before any test touches it.
#include <gtest/gtest.h>

#include "sound.h"
#include "timer_state.h"

int main(int argc, char** argv) {
    PrepareTimerState();
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    // The last run-out's alarm may still be opening the audio device: the program stops its
    // sound before it ends, and so do the tests.
    StopSound();
    return failed;
}
