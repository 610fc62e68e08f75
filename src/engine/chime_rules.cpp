#include "chime_rules.h"

#include "resource_ids.h"

ClockChime ClockChimeRule(int minute, bool latch, HighlightState highlight) {
    if (minute % 5 != 0) return {HighlightState::Normal, 0, false};
    if (latch) return {highlight, 0, true};
    if (minute == 0) return {HighlightState::FullHour, IDW_FULL_HOUR, true};
    if (minute == 30) return {HighlightState::HalfHour, IDW_HALF_HOUR, true};
    return {highlight, IDW_FIVE_MINUTES, true};
}

MarkChime MarkChimeRule(uint64_t markIndex, bool latch) {
    if (markIndex % 5 != 0 || markIndex == 0) return {false, false};
    return {!latch, true};
}

uint64_t UpwardMarkIndex(uint64_t elapsed) {
    return (elapsed + 500) / 60000 % 60;
}

uint64_t DownwardMarkIndex(uint64_t shown) {
    // Below 1.5 s the subtraction wraps and the index comes out as 26: never a mark, so the last
    // moments and the run-out iteration stay silent and clear the latch.
    return (shown - 1500) / 60000 % 60 + 1;
}

int32_t UntilTimeMarkIndex(int32_t remaining) {
    return (remaining - 1500) / 60000 % 60 + 1;
}
