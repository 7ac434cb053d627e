#include "buttons/button_color.h"

#include <algorithm>
#include <cmath>

namespace tuner {
namespace {

// Nearest integer, halves to the even neighbour.
int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

uint32_t shift_once(uint32_t k, int s, const ShiftOptions& opt) {
    int red = static_cast<int>(k & 0xFF) + s;
    int green = round_even(static_cast<double>(k & 0xFF00) / 255.0) + s;
    const int b0 = round_even(static_cast<double>(k & 0xFF0000) / 65280.0);
    int blue = opt.scale_blue ? b0 + (s * b0) / 192 : b0 + s;
    red = std::clamp(red, 0, 255);
    green = std::clamp(green, 0, 255);
    blue = std::clamp(blue, 0, 255);
    if (opt.invert) {
        red = 255 - red;
        green = 255 - green;
        blue = 255 - blue;
    }
    return static_cast<uint32_t>(red + green * 256 + blue * 65536);
}

}  // namespace

uint32_t ShiftColor(uint32_t colour, int amount, ShiftOptions opt) {
    colour &= 0x00FFFFFF;
    const uint32_t first = shift_once(colour, amount, opt);
    if (!opt.retry || (first != 0 && first != 0xFFFFFF)) return first;
    // One retry the other way; a second extreme result stands.
    const int again = amount == 0 ? 64 : -amount;
    return shift_once(colour, again, opt);
}

DerivedColors RefreshDerivedColors(int style, OleColor back_color, OleColor hover_back_color) {
    const uint32_t b = translate_color(back_color);
    const uint32_t hb = translate_color(hover_back_color);
    DerivedColors d;
    d.FaceColor = d.PressedFaceColor = b;
    d.HoverFaceColor = hb;
    switch (style) {
        case 2:
            d.FaceColor = ShiftColorSB(b, 48);
            d.PressedFaceColor = ShiftColorSB(d.FaceColor, -32);
            d.HoverFaceColor = ShiftColorSB(hb, 48);
            d.CheckedFaceColor = ShiftColorSB(0xFFFFFF, -32);
            break;
        case 7:
            d.FaceColor = ShiftColor(b, 31);
            d.PressedFaceColor = ShiftColor(0x808080, -16);
            d.HoverFaceColor = ShiftColor(hb, 31);
            d.CheckedFaceColor = ShiftColorSB(0x808080, 16);
            break;
        case 3:
            d.PressedFaceColor = ShiftColor(0x808080, 12);
            d.CheckedFaceColor = ShiftColor(d.PressedFaceColor, 31);
            break;
        default: d.CheckedFaceColor = ShiftColor(0xFFFFFF, -32); break;
    }
    return d;
}

}  // namespace tuner
