// Colours as the controls store them: 32-bit OLE values, 0x00BBGGRR with red
// in the low byte, or, with the high bit set, a system colour whose index is
// the low byte. The system colour codes live here, below every layer that
// paints or compares colours; platform/ole_color.h turns them into QColor.
#pragma once

#include <cstdint>

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

}  // namespace tuner
