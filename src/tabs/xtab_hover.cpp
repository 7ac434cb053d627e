// The hover highlight of the tab strip, drawn in exclusive-or mode so that
// drawing it a second time takes it away again.
#include <optional>

#include "platform/canvas_xor.h"
#include "tabs/xtab_paint.h"

namespace tuner {
namespace {

// Colours of the highlight over tab `tab`: the hover colour over an inactive
// tab (or anywhere without the focused colour), else the focused colour; x is
// what XOR-ed over the base shows the accent. None when the accent equals a
// back colour and nothing is to be drawn.
struct Highlight {
    bool hover;
    uint32_t accent;
    uint32_t base;
    uint32_t x;
    uint32_t ob;
    uint32_t strip;
};

std::optional<Highlight> highlight_of(const XTabModel& m, int tab) {
    const XTabProps& p = m.props();
    const uint32_t active_start = GetRGBFromOLE(p.ActiveTabBackStartColor);
    const uint32_t inactive_start = GetRGBFromOLE(p.InActiveTabBackStartColor);
    Highlight h{};
    h.hover = tab != m.ActiveTab() || !p.UseFocusedColor;
    if (h.hover) {
        h.accent = GetRGBFromOLE(p.HoverColor);
        h.base = tab != m.ActiveTab() ? inactive_start : active_start;
        if (h.accent == active_start || h.accent == inactive_start) return std::nullopt;
    } else {
        h.accent = GetRGBFromOLE(p.FocusedColor);
        h.base = active_start;
        if (h.accent == h.base) return std::nullopt;
    }
    h.x = h.accent ^ h.base;
    h.ob = GetRGBFromOLE(p.OuterBorderColor);
    h.strip = GetRGBFromOLE(p.TabStripBackColor);
    return h;
}

void xor_hover_tabbed(XTabModel& m, Canvas& c, int tab) {
    const auto hl = highlight_of(m, tab);
    if (!hl) return;
    const auto [hover, accent, base, x, ob, strip] = *hl;
    const OleColor A = ole(accent);
    const TabRect& hr = m.HotRect();
    const int hL = hr.left;
    const int hT = hr.top;
    const int hR = hr.right;
    const int b = hover ? hT + 3 : hT + 4;
    auto px = [&](std::initializer_list<std::pair<int, int>> pts, uint32_t rgb) {
        for (const auto& [xx, yy] : pts) xor_pixel(c, xx, yy, rgb);
    };
    pFillCurvedXor(c, hL, hT + 1, hR, b, x, 3, true, true);
    xor_line(c, hL + 6, hT, hR - 5, hT, ob ^ OffsetColor(A, -21));
    px({{hL + 6, hT + 1},
        {hL + 5, hT + 1},
        {hL + 4, hT + 2},
        {hL + 3, hT + 3},
        {hR - 6, hT + 1},
        {hR - 5, hT + 1},
        {hR - 4, hT + 2},
        {hR - 3, hT + 3}},
       OffsetColor(ole(x), -8) ^ x);
    xor_line(c, hL, b, hR, b, OffsetColor(ole(x), 21) ^ x);
    px({{hL + 5, hT}, {hR - 5, hT}}, ob ^ OffsetColor(A, -2));
    px({{hL + 3, hT + 1}, {hL + 2, hT + 2}, {hR - 3, hT + 1}, {hR - 2, hT + 2}}, ob ^ OffsetColor(A, -21));
    px({{hL + 1, hT + 3}, {hR - 1, hT + 3}}, ob ^ OffsetColor(A, -32));
    const uint32_t white_mix = ob ^ pBlendColors(OffsetColor(A, 512), ob, hover ? 128 : 64);
    const uint32_t strip_mix = strip ^ pBlendColors(OffsetColor(A, -32), strip, 50);
    if (hover) {
        px({{hL + 4, hT}, {hR - 4, hT}}, white_mix);
        px({{hL + 3, hT}, {hL + 2, hT + 1}, {hL + 1, hT + 2}, {hR - 3, hT}, {hR - 2, hT + 1}, {hR - 1, hT + 2}},
           strip_mix);
    } else {
        px({{hL + 4, hT}, {hL + 3, hT}}, white_mix);
        px({{hL + 2, hT + 1}, {hL + 1, hT + 2}, {hR - 4, hT}, {hR - 3, hT}, {hR - 2, hT + 1}}, strip_mix);
    }
}

void xor_hover_property(XTabModel& m, Canvas& c, int tab) {
    const auto hl = highlight_of(m, tab);
    if (!hl) return;
    const OleColor A = ole(hl->accent);
    const uint32_t x = hl->x;
    const uint32_t ob = hl->ob;
    const uint32_t strip = hl->strip;
    const TabRect& hr = m.HotRect();
    const int a = m.ActiveTab();
    const int box = tab;
    // The corner next to the active tab stays square.
    const bool cut_left = box != a + 1;
    const bool cut_right = box != a - 1;
    const int hL = hr.left;
    const int hT = hr.top;
    const int hR = hr.right;
    pFillCurvedXor(c, hL - 1, hT + 1, hR, hT + 3, x, 2, cut_left, cut_right);
    xor_line(c, hL + 3, hT, hR - 3, hT, ob ^ OffsetColor(A, -21));
    xor_line(c, hL, hT + 3, hR, hT + 3, OffsetColor(ole(x), 21) ^ x);
    if (cut_left) {
        xor_pixel(c, hL + 2, hT, ob ^ pBlendColors(OffsetColor(A, -34), ob, 128));
        xor_pixel(c, hL + 1, hT + 1, strip ^ pBlendColors(OffsetColor(A, -37), strip, 50));
    }
    if (cut_right) {
        xor_pixel(c, hR - 3, hT, ob ^ pBlendColors(OffsetColor(A, -34), ob, 128));
        xor_pixel(c, hR - 2, hT + 1, strip ^ pBlendColors(OffsetColor(A, -37), strip, 50));
    }
}

}  // namespace

void XTabModel::pDrawOverXOred() { draw_highlight(box_tab_); }

void XTabModel::draw_highlight(int tab) {
    if (surface_.empty()) return;
    if (p_.TabStyle == kTabStyleTabbedDialog)
        xor_hover_tabbed(*this, surface_, tab);
    else if (p_.TabStyle == kTabStylePropertyPages)
        xor_hover_property(*this, surface_, tab);
}

}  // namespace tuner
