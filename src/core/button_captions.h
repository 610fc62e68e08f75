// The two captions that follow the timer state: the start button's and the countdown target's.
// The worker relabels the start button at a run-out and the settings dialog recaptions the
// target, so both live below the engine and the dialogs.
#pragma once

#include <windows.h>

// The start button and its menu entry always carry the same caption.
void SetStartCaption(const wchar_t* caption);

// Sets the countdown-target button's caption from the state: 到 and the until-time target, or 共
// and the fixed length. On a GBK (936) system the caption is set as the GBK byte string itself;
// elsewhere the same text goes through the UTF-16 call, so the character reads right whatever
// the ANSI code page.
void RefreshTargetCaption();
