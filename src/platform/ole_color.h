// Colours as the controls store them: 32-bit OLE values, 0x00BBGGRR with red
// in the low byte, or, with the high bit set, a system colour whose index is
// the low byte. They stay in this form until drawing turns them into QColor.
#pragma once

#include <cstdint>

#include <QColor>

namespace tuner {

using OleColor = int32_t;

constexpr OleColor kNoColor = -1;

// System colour codes as OLE values (0x800000nn).
constexpr OleColor system_color(int index) {
    return static_cast<OleColor>(0x80000000u | static_cast<uint32_t>(index & 0xFF));
}
constexpr OleColor kSysActiveCaption = system_color(0x03);
constexpr OleColor kSysWindow = system_color(0x05);
constexpr OleColor kSysWindowText = system_color(0x08);
constexpr OleColor kSysHighlight = system_color(0x0D);
constexpr OleColor kSysHighlightText = system_color(0x0E);
constexpr OleColor kSysButtonFace = system_color(0x0F);
constexpr OleColor kSysButtonShadow = system_color(0x10);
constexpr OleColor kSysGrayText = system_color(0x11);
constexpr OleColor kSysButtonText = system_color(0x12);
constexpr OleColor kSysButtonHighlight = system_color(0x14);
constexpr OleColor kSys3DDarkShadow = system_color(0x15);
constexpr OleColor kSys3DLight = system_color(0x16);

constexpr bool is_system_color(OleColor c) { return c < 0; }

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
