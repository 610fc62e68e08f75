// The Windows-side test programs' entry point: the state is prepared as the program's own entry
// point prepares it, before any test touches it.
#include <gtest/gtest.h>

#include "timer_state.h"

int main(int argc, char** argv) {
    PrepareTimerState();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
