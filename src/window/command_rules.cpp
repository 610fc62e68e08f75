#include "command_rules.h"

#include "resource_ids.h"

CommandRoute RouteCommand(int id) {
    switch (id) {
        case IDC_START_BUTTON:
        case IDM_START:
            return {CommandAction::StartPauseResume, TimerMode::Clock};
        case IDC_RESET_BUTTON:
        case IDM_RESET:
            return {CommandAction::Reset, TimerMode::Clock};
        case IDC_CLOCK_RADIO:
            return {CommandAction::SwitchModeIfChecked, TimerMode::Clock};
        case IDC_STOPWATCH_RADIO:
            return {CommandAction::SwitchModeIfChecked, TimerMode::Stopwatch};
        case IDC_COUNTDOWN_RADIO:
            return {CommandAction::SwitchModeIfChecked, TimerMode::Countdown};
        case IDM_CLOCK_MODE:
            return {CommandAction::SwitchMode, TimerMode::Clock};
        case IDM_STOPWATCH_MODE:
            return {CommandAction::SwitchMode, TimerMode::Stopwatch};
        case IDM_COUNTDOWN_MODE:
            return {CommandAction::SwitchMode, TimerMode::Countdown};
        case IDC_MS_CHECK:
        case IDM_MILLISECONDS:
            return {CommandAction::ToggleMilliseconds, TimerMode::Clock};
        case IDC_TOP_CHECK:
            return {CommandAction::TopFromCheck, TimerMode::Clock};
        case IDM_ALWAYS_ON_TOP:
            return {CommandAction::TopFromMenu, TimerMode::Clock};
        case IDC_SET_BUTTON:
            return {CommandAction::CountdownDialog, TimerMode::Clock};
        case IDM_CONTACT:
            return {CommandAction::ContactDialog, TimerMode::Clock};
        case IDM_GUIDE:
            return {CommandAction::Guide, TimerMode::Clock};
        case IDM_COMPACT:
            return {CommandAction::CompactFromMenu, TimerMode::Clock};
        case IDM_EXIT:
            return {CommandAction::Exit, TimerMode::Clock};
    }
    return {CommandAction::Unhandled, TimerMode::Clock};
}

int NextTabStop(int focused, const std::vector<bool>& eligible) {
    const int count = static_cast<int>(eligible.size());
    for (int index = focused + 1; index < count; ++index)
        if (eligible[index]) return index;
    // Wrap around, stopping short of the focused entry.
    for (int index = 0; index < focused; ++index)
        if (eligible[index]) return index;
    return -1;
}

bool CloseNeedsConfirmation(TimerMode mode, RunState runState) {
    return mode != TimerMode::Clock && runState != RunState::Idle;
}
