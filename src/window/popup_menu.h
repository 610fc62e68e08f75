#pragma once

#include <windows.h>

// The right-click menu with its eleven entries and four separators, check marks as the state
// holds them. 开始 and 重置 are disabled afterwards, at window creation.
HMENU BuildPopupMenu();
