#include "button_captions.h"

#include "resource_ids.h"
#include "target_caption.h"
#include "timer_state.h"

void SetStartCaption(const wchar_t* caption) {
    SetWindowTextW(timerState.startButton, caption);
    ModifyMenuW(timerState.popupMenu, IDM_START, MF_BYCOMMAND | MF_STRING, IDM_START, caption);
}

void RefreshTargetCaption() {
    const CountdownKind kind = timerState.countdownKind;
    const uint32_t seconds = kind == CountdownKind::UntilTime
                                 ? timerState.countdownToTime.load()
                                 : timerState.countdownFixSeconds.load();
    HWND button = timerState.setButton;
    if (GetACP() == 936) {
        char caption[kTargetCaptionSize];
        FormatTargetCaptionGbk(caption, kind, seconds);
        SetWindowTextA(button, caption);
        return;
    }
    char time[kTargetCaptionSize];
    FormatTargetCaptionTime(time, seconds);
    wchar_t caption[kTargetCaptionSize] = {static_cast<wchar_t>(TargetCaptionCharacter(kind))};
    for (int i = 0; time[i]; ++i) caption[i + 1] = static_cast<wchar_t>(time[i]);
    SetWindowTextW(button, caption);
}
