#include "compact_mode.h"

void ApplyCompactRegion() {}

LRESULT OnNcLButtonDblClk() {
    return 0;
}

void ToggleCompactFromMenu() {}
