#include "colour_rules.h"

#include <gtest/gtest.h>

namespace {

// A scheme whose five colours are all different, so a swap shows.
constexpr SystemColours kScheme = {true, 0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
constexpr SystemColours kNoScheme = {false, 0x000001, 0x000002, 0x000003, 0x000004, 0x000005};

struct ColourCase {
    HighlightState highlight;
    const SystemColours& system;
    uint32_t text, background, fill;
};

const ColourCase kColours[] = {
    // Without a scheme, exactly the program's own colours, whatever the system's are.
    {HighlightState::Normal, kNoScheme, 0x81DDAE, 0x464646, 0xF0F0F0},
    {HighlightState::Expired, kNoScheme, 0x0000EB, 0x464646, 0xF0F0F0},
    {HighlightState::HalfHour, kNoScheme, 0x64FFFF, 0x464646, 0xF0F0F0},
    {HighlightState::FullHour, kNoScheme, 0x64FFFF, 0x464646, 0xF0F0F0},
    // Under one: window text on window, the highlights as selected text, on the buttons' face.
    {HighlightState::Normal, kScheme, 0x000002, 0x000001, 0x000003},
    {HighlightState::Expired, kScheme, 0x000005, 0x000004, 0x000003},
    {HighlightState::HalfHour, kScheme, 0x000005, 0x000004, 0x000003},
    {HighlightState::FullHour, kScheme, 0x000005, 0x000004, 0x000003},
};

}  // namespace

TEST(ColourRules, HighContrastOnAndOffForEachHighlight) {
    for (const ColourCase& c : kColours) {
        const PaintColours colours = ChoosePaintColours(c.highlight, c.system);
        SCOPED_TRACE(testing::Message() << "highlight " << static_cast<int>(c.highlight)
                                        << (c.system.highContrast ? " high contrast" : ""));
        EXPECT_EQ(colours.readout.text, c.text);
        EXPECT_EQ(colours.readout.background, c.background);
        EXPECT_EQ(colours.fill, c.fill);
    }
}
