#include <gtest/gtest.h>

#include "buttons/button_color.h"

namespace tuner {
namespace {

TEST(ShiftColor, Shifts) {
    const struct {
        uint32_t in;
        int amount;
        ShiftOptions opt;
        uint32_t out;
    } cases[] = {
        {0xFFFFFF, -32, {.scale_blue = true}, 0xD6E0DF},
        {0xFFFFFF, -32, {}, 0xE0E0DF},
        {0xC0C0C0, 48, {.scale_blue = true}, 0xF1F1F0},
        {0xDFDFDF, 8, {}, 0xE8E8E7},
        {0x000010, -40, {}, 0},
        {0x000000, 0, {.invert = true}, 0xFFFFFF},
        // Retry: once the other way (an amount of 0 retries with 64); a second extreme result stands.
        {0x101010, -32, {.retry = true}, 0x303030},
        {0x000000, 0, {.retry = true}, 0x404040},
        {0xFFFFFF, 0, {.retry = true}, 0xFFFFFF},
        {0xFFFFFF, 300, {.retry = true}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftColor(c.in, c.amount, c.opt), c.out) << std::hex << c.in << " " << c.amount;
}

TEST(RefreshDerivedColors, CheckedFacesAndSystemColours) {
    EXPECT_EQ(RefreshDerivedColors(2, 0xC0C0C0, 0xFFFF80).HoverFaceColor, ShiftColorSB(0xFFFF80, 48));
    EXPECT_EQ(RefreshDerivedColors(2, 0xC0C0C0, 0xC0C0C0).CheckedFaceColor, 0xD6E0DFu);
    EXPECT_EQ(RefreshDerivedColors(3, 0xC0C0C0, 0xC0C0C0).CheckedFaceColor, ShiftColor(ShiftColor(0x808080, 12), 31));
    EXPECT_EQ(RefreshDerivedColors(7, 0xC0C0C0, 0xC0C0C0).PressedFaceColor, 0x717170u);
    // System colours are translated before any arithmetic.
    const DerivedColors s0 = RefreshDerivedColors(0, kSysButtonFace, kSysButtonFace);
    EXPECT_EQ(s0.FaceColor, translate_color(kSysButtonFace));
    EXPECT_EQ(s0.CheckedFaceColor, 0xE0E0DFu);
}

}  // namespace
}  // namespace tuner
