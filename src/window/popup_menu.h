#pragma once

#include <windows.h>

// The right-click menu, its check marks as the state holds them. It is built once, at window
// creation, and kept; the entries' marks and captions follow the state from then on.
HMENU BuildPopupMenu();
