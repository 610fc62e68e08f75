// Command routing, the Tab rule and the close rule, with plain values.
#include "command_rules.h"

#include <gtest/gtest.h>

#include "resource_ids.h"

namespace {

using A = CommandAction;
using M = TimerMode;

void ExpectRoute(int id, CommandAction action, TimerMode mode = M::Clock) {
    const CommandRoute route = RouteCommand(id);
    EXPECT_EQ(route.action, action) << id;
    if (action == A::SwitchMode || action == A::SwitchModeIfChecked) {
        EXPECT_EQ(route.mode, mode) << id;
    }
}

// Clock mode: the run buttons are disabled and the settings button is hidden.
const std::vector<bool> kClockEligible = {false, false, true, true, true, false, true, true};

}  // namespace

TEST(CommandRouting, EveryButtonAndMenuEntryHasItsAction) {
    ExpectRoute(IDC_START_BUTTON, A::StartPauseResume);
    ExpectRoute(IDM_START, A::StartPauseResume);
    ExpectRoute(IDC_RESET_BUTTON, A::Reset);
    ExpectRoute(IDM_RESET, A::Reset);
    ExpectRoute(IDC_CLOCK_RADIO, A::SwitchModeIfChecked, M::Clock);
    ExpectRoute(IDC_STOPWATCH_RADIO, A::SwitchModeIfChecked, M::Stopwatch);
    ExpectRoute(IDC_COUNTDOWN_RADIO, A::SwitchModeIfChecked, M::Countdown);
    ExpectRoute(IDM_CLOCK_MODE, A::SwitchMode, M::Clock);
    ExpectRoute(IDM_STOPWATCH_MODE, A::SwitchMode, M::Stopwatch);
    ExpectRoute(IDM_COUNTDOWN_MODE, A::SwitchMode, M::Countdown);
    ExpectRoute(IDC_MS_CHECK, A::ToggleMilliseconds);
    ExpectRoute(IDM_MILLISECONDS, A::ToggleMilliseconds);
    ExpectRoute(IDC_TOP_CHECK, A::TopFromCheck);
    ExpectRoute(IDM_ALWAYS_ON_TOP, A::TopFromMenu);
    ExpectRoute(IDC_SET_BUTTON, A::CountdownDialog);
    ExpectRoute(IDM_CONTACT, A::ContactDialog);
    ExpectRoute(IDM_GUIDE, A::Guide);
    ExpectRoute(IDM_COMPACT, A::CompactFromMenu);
    ExpectRoute(IDM_EXIT, A::Exit);
}

TEST(CommandRouting, TheAcceleratorCommandAndUnknownIdsTakeTheDefault) {
    for (int id : {IDM_ABOUT, 0, 1, 2, 10002, 10009, 10010, 32770, 32782, 65535})
        ExpectRoute(id, A::Unhandled);
}

TEST(TabOrder, MovesToTheNextEligibleEntryAndWrapsAround) {
    // From the main window itself (not in the list): the first eligible entry, 时钟.
    EXPECT_EQ(NextTabStop(-1, kClockEligible), 2);
    EXPECT_EQ(NextTabStop(2, kClockEligible), 3);
    EXPECT_EQ(NextTabStop(4, kClockEligible), 6);  // the hidden settings button is skipped
    EXPECT_EQ(NextTabStop(7, kClockEligible), 2);  // 最上 wraps to 时钟
    // A focused entry that is itself not eligible (a button just disabled) still moves on.
    EXPECT_EQ(NextTabStop(0, kClockEligible), 2);
}

TEST(TabOrder, TheFocusedEntryIsNeverChosenAgain) {
    std::vector<bool> onlyFocused(8, false);
    onlyFocused[4] = true;
    EXPECT_EQ(NextTabStop(4, onlyFocused), -1);
    EXPECT_EQ(NextTabStop(-1, std::vector<bool>(8, false)), -1);
    EXPECT_EQ(NextTabStop(0, std::vector<bool>(8, false)), -1);
    // Only the entry before the focused one: reached by the wrap-around.
    std::vector<bool> onlyFirst(8, false);
    onlyFirst[0] = true;
    EXPECT_EQ(NextTabStop(7, onlyFirst), 0);
    EXPECT_EQ(NextTabStop(0, onlyFirst), -1);
    EXPECT_EQ(NextTabStop(-1, {}), -1);
}

TEST(Closing, AsksOnlyWhileAStopwatchOrCountdownRunsOrIsPaused) {
    for (RunState state : {RunState::Idle, RunState::Running, RunState::Paused})
        EXPECT_FALSE(CloseNeedsConfirmation(M::Clock, state));
    for (M mode : {M::Stopwatch, M::Countdown}) {
        EXPECT_FALSE(CloseNeedsConfirmation(mode, RunState::Idle));
        EXPECT_TRUE(CloseNeedsConfirmation(mode, RunState::Running));
        EXPECT_TRUE(CloseNeedsConfirmation(mode, RunState::Paused));
    }
}
