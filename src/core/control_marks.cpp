#include "control_marks.h"

#include "timer_state.h"

void SetCheck(HWND control, bool checked) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void EnableMenuEntry(UINT id, bool enabled) {
    EnableMenuItem(timerState.popupMenu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_DISABLED));
}

void CheckMenuEntry(UINT id, bool checked) {
    CheckMenuItem(timerState.popupMenu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
