#include "platform/ole_color.h"

#include <array>

namespace tuner {
namespace {

// Classic desktop defaults, index = system colour number.
constexpr std::array<uint32_t, 31> kSystemColors = {
    make_rgb(212, 208, 200),  // 0 scroll bar
    make_rgb(58, 110, 165),   // 1 desktop
    make_rgb(10, 36, 106),    // 2 active caption
    make_rgb(10, 36, 106),    // 3 caption (the controls' themes take 3 as the active caption)
    make_rgb(212, 208, 200),  // 4 menu
    make_rgb(255, 255, 255),  // 5 window
    make_rgb(0, 0, 0),        // 6 window frame
    make_rgb(0, 0, 0),        // 7 menu text
    make_rgb(0, 0, 0),        // 8 window text
    make_rgb(255, 255, 255),  // 9 caption text
    make_rgb(212, 208, 200),  // 10 active border
    make_rgb(212, 208, 200),  // 11 inactive border
    make_rgb(128, 128, 128),  // 12 application workspace
    make_rgb(10, 36, 106),    // 13 highlight
    make_rgb(255, 255, 255),  // 14 highlight text
    make_rgb(212, 208, 200),  // 15 button face
    make_rgb(128, 128, 128),  // 16 button shadow
    make_rgb(128, 128, 128),  // 17 grey text
    make_rgb(0, 0, 0),        // 18 button text
    make_rgb(212, 208, 200),  // 19 inactive caption text
    make_rgb(255, 255, 255),  // 20 button highlight
    make_rgb(64, 64, 64),     // 21 3D dark shadow
    make_rgb(212, 208, 200),  // 22 3D light
    make_rgb(0, 0, 0),        // 23 tooltip text
    make_rgb(255, 255, 225),  // 24 tooltip background
    make_rgb(181, 181, 181),  // 25 (unused)
    make_rgb(0, 0, 128),      // 26 hot-tracked item
    make_rgb(166, 202, 240),  // 27 active caption gradient
    make_rgb(192, 192, 192),  // 28 inactive caption gradient
    make_rgb(10, 36, 106),    // 29 menu highlight
    make_rgb(212, 208, 200),  // 30 menu bar
};

}  // namespace

uint32_t system_color_rgb(int index) {
    if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
    return kSystemColors[static_cast<std::size_t>(index)];
}

uint32_t translate_color(OleColor c) {
    if (is_system_color(c)) return system_color_rgb(c & 0xFF);
    return static_cast<uint32_t>(c) & 0x00FFFFFFu;
}

QColor to_qcolor(OleColor c) {
    const uint32_t rgb = translate_color(c);
    return QColor(red_of(rgb), green_of(rgb), blue_of(rgb));
}

uint32_t rgb_of(const QColor& c) { return make_rgb(c.red(), c.green(), c.blue()); }

}  // namespace tuner
