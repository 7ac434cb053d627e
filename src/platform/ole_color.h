// OLE colours (core/system_colors.h) as drawing needs them: system colours
// resolved from a fixed table, channels taken apart, and QColor. Colours stay
// OLE values until drawing turns them into QColor.
#pragma once

#include <cstdint>

#include <QColor>

#include "core/system_colors.h"

namespace tuner {

// RGB of a system colour index, from one fixed table of classic desktop
// defaults (0x00BBGGRR). Unknown indexes give black.
uint32_t system_color_rgb(int index);

// Any OLE colour to 0x00BBGGRR: plain values pass unchanged (high byte
// cleared), system colours come from the table.
uint32_t translate_color(OleColor c);

constexpr uint8_t red_of(uint32_t rgb) { return rgb & 0xFF; }
constexpr uint8_t green_of(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
constexpr uint8_t blue_of(uint32_t rgb) { return (rgb >> 16) & 0xFF; }
constexpr uint32_t make_rgb(int r, int g, int b) {
    return static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

QColor to_qcolor(OleColor c);
// 0x00BBGGRR of a QColor.
uint32_t rgb_of(const QColor& c);

}  // namespace tuner
