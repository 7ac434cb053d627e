#include <gtest/gtest.h>

#include "buttons/button_color.h"

namespace tuner {
namespace {

TEST(ShiftColor, KnownShifts) {
    EXPECT_EQ(ShiftColor(0xFFFFFF, -32, {.scale_blue = true}), 0xD6E0DFu);
    EXPECT_EQ(ShiftColor(0xFFFFFF, -32), 0xE0E0DFu);
    EXPECT_EQ(ShiftColor(0xC0C0C0, 48, {.scale_blue = true}), 0xF1F1F0u);
    EXPECT_EQ(ShiftColor(0x808080, -16), 0x717170u);
    EXPECT_EQ(ShiftColor(0x808080, -26), 0x676766u);
    EXPECT_EQ(ShiftColor(0xDFDFDF, 8), 0xE8E8E7u);
    // Components clamp at both ends; invert mirrors them.
    EXPECT_EQ(ShiftColor(0x000010, -40), 0u);
    EXPECT_EQ(ShiftColor(0x000000, 0, {.invert = true}), 0xFFFFFFu);
}

TEST(ShiftColor, RetryRunsOnceTheOtherWay) {
    // Pure black retries with the opposite amount.
    EXPECT_EQ(ShiftColor(0x101010, -32, {.retry = true}), 0x303030u);
    // An amount of 0 that gives black retries with 64.
    EXPECT_EQ(ShiftColor(0x000000, 0, {.retry = true}), 0x404040u);
    // White stays white either way: one retry, then the result stands.
    EXPECT_EQ(ShiftColor(0xFFFFFF, 0, {.retry = true}), 0xFFFFFFu);
    EXPECT_EQ(ShiftColor(0xFFFFFF, 300, {.retry = true}), 0u);
}

TEST(RefreshDerivedColors, Style2FromGreyAndLit) {
    const DerivedColors grey = RefreshDerivedColors(2, 0xC0C0C0, 0xC0C0C0);
    EXPECT_EQ(grey.FaceColor, 0xF1F1F0u);
    EXPECT_EQ(grey.PressedFaceColor, ShiftColorSB(0xF1F1F0, -32));
    EXPECT_EQ(grey.HoverFaceColor, 0xF1F1F0u);
    EXPECT_EQ(grey.CheckedFaceColor, 0xD6E0DFu);
    const DerivedColors lit = RefreshDerivedColors(2, 0xFFFF80, 0xFFFF80);
    EXPECT_EQ(lit.FaceColor, ShiftColorSB(0xFFFF80, 48));
    // System colours are translated before any arithmetic.
    const DerivedColors sys = RefreshDerivedColors(0, kSysButtonFace, kSysButtonFace);
    EXPECT_EQ(sys.FaceColor, translate_color(kSysButtonFace));
    EXPECT_EQ(sys.CheckedFaceColor, 0xE0E0DFu);
    const DerivedColors s3 = RefreshDerivedColors(3, 0xC0C0C0, 0xC0C0C0);
    EXPECT_EQ(s3.PressedFaceColor, ShiftColor(0x808080, 12));
    EXPECT_EQ(s3.CheckedFaceColor, ShiftColor(s3.PressedFaceColor, 31));
}

}  // namespace
}  // namespace tuner
