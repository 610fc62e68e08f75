#pragma once

#include <windows.h>

// The right-click menu with its eleven entries and four separators, check marks as the state
// holds them. 开始 and 重置 are disabled afterwards, at window creation.
HMENU BuildPopupMenu();

// The start button and its menu entry always carry the same caption.
void SetStartCaption(const wchar_t* caption);

// Entries are disabled with MF_DISABLED, never MF_GRAYED: the menu shows them in normal text.
void EnableMenuEntry(UINT id, bool enabled);

// A check mark that mirrors a flag of the timer state.
void CheckMenuEntry(UINT id, bool checked);
