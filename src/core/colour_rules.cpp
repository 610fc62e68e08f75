#include "colour_rules.h"

PaintColours ChoosePaintColours(HighlightState highlight, const SystemColours& system) {
    if (!system.highContrast) return {HighlightColours(highlight), kWindowFillColour};
    if (highlight == HighlightState::Normal)
        return {{system.windowText, system.window}, system.buttonFace};
    return {{system.highlightText, system.highlight}, system.buttonFace};
}
