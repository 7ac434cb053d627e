// Colour arithmetic of the owner-drawn button: the shift that lightens or
// darkens a face colour, and the four face colours derived from the back
// colour for each face style.
#pragma once

#include <cstdint>

#include "platform/ole_color.h"

namespace tuner {

struct ShiftOptions {
    bool scale_blue = false;  // blue moves in proportion to its own level
    bool retry = false;       // a result of pure black or white is tried once more the other way
    bool invert = false;      // each component becomes 255 minus itself
};

// Moves every component of `colour` (0x00BBGGRR, no system colours) by
// `amount`, clamped to 0..255.
uint32_t ShiftColor(uint32_t colour, int amount, ShiftOptions opt = {});
inline uint32_t ShiftColorSB(uint32_t colour, int amount) { return ShiftColor(colour, amount, {.scale_blue = true}); }

struct DerivedColors {
    uint32_t FaceColor = 0;
    uint32_t PressedFaceColor = 0;
    uint32_t HoverFaceColor = 0;
    uint32_t CheckedFaceColor = 0;
};

// The face colours of a style from the back colour and the hover back colour.
DerivedColors RefreshDerivedColors(int button_style, OleColor back_color, OleColor hover_back_color);

}  // namespace tuner
