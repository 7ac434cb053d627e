#include "tabs/xtab_paint.h"

#include <algorithm>
#include <cstdint>

#include <QFontMetrics>

#include "platform/canvas_xor.h"

namespace tuner {
namespace {

using RowPainter = void (*)(Canvas&, int y, int x1, int x2, uint32_t rgb);

void solid_row(Canvas& c, int y, int x1, int x2, uint32_t rgb) { c.line(x1, y, x2, y, ole(rgb)); }
void xor_row(Canvas& c, int y, int x1, int x2, uint32_t rgb) { xor_line(c, x1, y, x2, y, rgb); }

void curved_fill(Canvas& c, int left, int top, int right, int bottom, uint32_t start, uint32_t end, int radius,
                 bool cut_left, bool cut_right, RowPainter row) {
    const float rows = static_cast<float>(bottom - top);
    // One row only: there is no step, the row takes the start colour.
    auto step = [&](int s, int e) { return rows == 0.0f ? 0.0f : static_cast<float>(e - s) / rows; };
    const float sr = step(pGetRValue(start), pGetRValue(end));
    const float sg = step(pGetGValue(start), pGetGValue(end));
    const float sb = step(pGetBValue(start), pGetBValue(end));
    float vr = static_cast<float>(pGetRValue(start));
    float vg = static_cast<float>(pGetGValue(start));
    float vb = static_cast<float>(pGetBValue(start));
    int r = radius;
    for (int y = top; y <= bottom; ++y) {
        int x1 = left;
        int x2 = right;
        if (radius != -1) {
            if (cut_left && cut_right) {
                x1 = left + r + 1;
                x2 = right - r;
            } else if (cut_left) {
                x1 = left + r + 1;
            } else {
                x2 = right - r;
            }
            if (r > 0) --r;
        }
        row(c, y, x1, x2, make_rgb(near_even(vr), near_even(vg), near_even(vb)));
        vr += sr;
        vg += sg;
        vb += sb;
    }
}

// A caption as it fits into `avail` pixels: the text to draw (shortened
// with an ellipsis when it does not fit) and its extent.
struct FittedCaption {
    QString text;
    bool mnemonic = true;
    int width = 0;
    int height = 0;
};

FittedCaption fit_caption(const QString& caption, const FontSpec& font, int avail) {
    QFont qf = to_qfont(font);
    qf.setStyleStrategy(QFont::PreferDefault);
    const QFontMetrics fm(qf);
    const QString plain = strip_mnemonic(caption);
    const int w = fm.horizontalAdvance(plain);
    if (w <= avail) return {caption, true, w, fm.height()};
    const QString elided = fm.elidedText(plain, Qt::ElideRight, std::max(avail, 0));
    return {elided, false, fm.horizontalAdvance(elided), fm.height()};
}

void draw_fitted(Canvas& c, const QRect& rc, const FittedCaption& t, const FontSpec& font, OleColor color,
                 unsigned flags) {
    c.draw_text(rc, t.text, font, color, flags | text_flags::single_line | (t.mnemonic ? text_flags::mnemonic : 0));
}

QRect qrect(int l, int t, int r, int b) { return QRect(l, t, std::max(r - l, 0), std::max(b - t, 0)); }

// A tab's picture, s by s pixels: with the mask colour left transparent
// when UseMaskColor is on, else as it is.
void paint_picture(Canvas& c, const XTabProps& p, const QImage& pic, int x, int y, int s) {
    if (pic.isNull() || s <= 0) return;
    // Beyond the 16-bit coordinates of the blitter is beyond any surface.
    if (x < INT16_MIN || x > INT16_MAX || y < INT16_MIN || y > INT16_MAX || s > INT16_MAX) return;
    if (p.UseMaskColor) {
        XTabModel::DrawImage(c, pic, GetRGBFromOLE(p.PictureMaskColor), static_cast<int16_t>(x),
                             static_cast<int16_t>(y), static_cast<int16_t>(s), static_cast<int16_t>(s));
    } else {
        c.stretch_blit(pic, QRect(x, y, s, s));
    }
}

// Everything a tab painter needs to know about one tab.
struct TabState {
    int i;
    TabRect r;
    bool active;
    bool enabled;
    OleColor start;
    OleColor end;
    OleColor fore;
    const FontSpec* font;
};

TabState tab_state(const XTabModel& m, int i) {
    const XTabProps& p = m.props();
    const TabInfo& t = m.tab(i);
    TabState s{i, t.rect, i == m.ActiveTab(), t.enabled, 0, 0, 0, nullptr};
    s.start = s.active ? p.ActiveTabBackStartColor : p.InActiveTabBackStartColor;
    s.end = s.active ? p.ActiveTabBackEndColor : p.InActiveTabBackEndColor;
    s.fore = s.active ? p.ActiveTabForeColor : p.InActiveTabForeColor;
    if (!s.enabled) {
        s.start = s.end = p.DisabledTabBackColor;
        s.fore = p.DisabledTabForeColor;
    }
    s.font = s.active ? &p.ActiveTabFont : &p.InActiveTabFont;
    return s;
}

bool focus_shown(const XTabModel& m, const TabState& s) { return m.props().ShowFocusRect && s.active && m.IsFocused(); }

// ---------------------------------------------------------------------------
// TabbedDialog

// Picture, centred caption and focus mark of one tab; rc is the caption area.
void tabbed_caption(XTabModel& m, Canvas& c, const TabState& s, int l, int t, int r, int picture_cap) {
    const XTabProps& p = m.props();
    const TabInfo& info = m.tab(s.i);
    const TabRect& tr = s.r;
    int size = m.picture_px();
    int py = 0;
    const int left_edge = l;
    const int right_edge = r;
    const bool has_pic = !info.picture.isNull() && p.PictureAlign >= 0 && p.PictureAlign <= 3;
    if (has_pic) {
        if (t + size > tr.bottom + 1) size = picture_cap;
        py = t + near_even((tr.bottom - t - size) / 2.0);
        int px = 0;
        if (p.PictureAlign == 0) {
            px = l + (s.active ? 1 : 0);
            if (s.active) py = std::max(py - 1, t);
        } else if (p.PictureAlign == 1) {
            px = r - size - (s.active ? 1 : 0);
            if (s.active) py = std::max(py - 1, t);
        }
        if (p.PictureAlign <= 1) paint_picture(c, p, info.picture, px, py, size);
    }
    // Measure, then centre the caption on the tab.
    const FittedCaption fit = fit_caption(info.caption, *s.font, r - l);
    const double mr = l + fit.width;
    const double mb = t + fit.height;
    const int tw = fit.width + 2;
    const int th = fit.height + 1;
    const int cl = near_even(l - 1 + tr.right / 2.0 - mr / 2.0);
    const int ct = near_even(tr.bottom / 2.0 + t - mb / 2.0);
    const QRect rc(cl, ct, tw, th);
    if (has_pic && p.PictureAlign == 2) {
        paint_picture(c, p, info.picture, std::max(cl - size - 1, left_edge), py, size);
    } else if (has_pic && p.PictureAlign == 3) {
        int px = cl + tw + 1;
        if (px + size > right_edge) px = right_edge - size;
        paint_picture(c, p, info.picture, px, py, size);
    }
    draw_fitted(c, rc, fit, *s.font, s.fore, 0);
    if (focus_shown(m, s)) c.draw_focus_rect(cl, ct, cl + tw, ct + th);
}

void tabbed_theme0(XTabModel& m, Canvas& c, const TabState& s) {
    const XTabProps& p = m.props();
    const auto [L, T, R, B] = s.r;
    const OleColor OB = p.OuterBorderColor;
    const OleColor TL = p.TopLeftInnerBorderColor;
    const OleColor BR = p.BottomRightInnerBorderColor;
    pFillCurvedGradient(c, L + 1, T, R, B, s.start, s.end, 4, true, true);
    if (s.active) {
        c.line(L, T + 4, L + 4, T, OB);
        c.line(L + 1, T + 4, L + 4, T + 1, TL);
        c.line(L + 2, T + 4, L + 4, T + 2, TL);
        c.line(L + 4, T, R - 4, T, OB);
        c.line(L + 4, T + 1, R - 4, T + 1, TL);
        c.line(L + 4, T + 2, R - 4, T + 2, TL);
        c.line(R - 4, T, R, T + 4, OB);
        c.line(R - 4, T + 1, R - 1, T + 4, BR);
        c.line(R - 4, T + 2, R - 2, T + 4, BR);
        c.line(R, T + 4, R, B + 1, OB);
        c.line(R - 1, T + 4, R - 1, B + 2, BR);
        c.line(R - 2, T + 4, R - 2, B + 3, BR);
        const OleColor open = s.enabled ? p.ActiveTabBackEndColor : p.DisabledTabBackColor;
        for (int k = 1; k <= 3; ++k) c.line(L + 3, B + k, R - 2, B + k, open);
        c.line(L, T + 4, L, B + 1, OB);
        c.line(L + 1, T + 4, L + 1, B + 2, TL);
        c.line(L + 2, T + 4, L + 2, B + 3, TL);
    } else {
        c.line(L, T + 4, L + 4, T, OB);
        c.line(L + 1, T + 4, L + 4, T + 1, TL);
        c.line(L + 4, T, R - 4, T, OB);
        c.line(L + 4, T + 1, R - 4, T + 1, TL);
        c.line(R - 4, T, R, T + 4, OB);
        c.line(R - 4, T + 1, R - 1, T + 4, BR);
        c.line(R, T + 4, R, B + 1, OB);
        c.line(R - 1, T + 4, R - 1, B + 1, BR);
        c.line(L, B + 1, R + 1, B + 1, OB);
        c.line(L - 1, B + 2, R + 1, B + 2, TL);
        c.line(L - 2, B + 3, R + 2, B + 3, TL);
        c.line(L, T + 4, L, B + 1, OB);
        c.line(L + 1, T + 4, L + 1, B + 1, TL);
    }
    tabbed_caption(m, c, s, L + 3, T + 3, R - 2, B + 1 - (T + 3));
}

void tabbed_flat(XTabModel& m, Canvas& c, const TabState& s) {
    const XTabProps& p = m.props();
    const auto [L, T, R, B] = s.r;
    const OleColor OB = p.OuterBorderColor;
    pFillCurvedGradient(c, L, T, R, B, s.start, s.end, 4, true, true);
    c.line(L, T + 4, L + 4, T, OB);
    c.line(L + 4, T, R - 4, T, OB);
    c.line(R - 4, T, R, T + 4, OB);
    c.line(R, T + 4, R, B + 1, OB);
    if (s.active) {
        c.line(L + 1, B + 1, R, B + 1, s.enabled ? p.ActiveTabBackEndColor : p.DisabledTabBackColor);
    } else {
        c.line(L, B + 1, R + 1, B + 1, OB);
    }
    c.line(L, T + 4, L, B + 1, OB);
    tabbed_caption(m, c, s, L + 3, T + 3, R - 2, B + 1 - (T + 3));
}

void tabbed_rounded(XTabModel& m, Canvas& c, const TabState& s) {
    const XTabProps& p = m.props();
    const auto [L, T, R, B] = s.r;
    const OleColor fill = !s.enabled ? p.DisabledTabBackColor
                          : s.active ? p.ActiveTabBackStartColor
                                     : p.InActiveTabBackStartColor;
    c.round_rect(L, T, R, c.height() - 1, m.x_radius(), m.y_radius(), fill, p.OuterBorderColor);
    tabbed_caption(m, c, s, L, T, R - 1, B - 4 - T);
}

void draw_tabs_tabbed_dialog(XTabModel& m, Canvas& c) {
    const XTabProps& p = m.props();
    const int theme = p.TabTheme;
    layout_tabbed_dialog(m, c.width());
    const int W = c.width();
    const int h = m.strip_height();
    c.fill_rect(0, 0, W, h, p.TabStripBackColor);
    for (int i = 0; i < m.TabCount(); ++i) {
        const TabState s = tab_state(m, i);
        if (theme == 0)
            tabbed_theme0(m, c, s);
        else if (theme == 3)
            tabbed_rounded(m, c, s);
        else
            tabbed_flat(m, c, s);
    }
    c.line(0, h + 1, 0, h + 4, p.OuterBorderColor);
    c.line(W - 1, h + 1, W - 1, h + 4, p.OuterBorderColor);
    if (theme == 0) {
        c.line(W - 2, h + 2, W - 2, h + 4, p.BottomRightInnerBorderColor);
        c.line(W - 3, h + 3, W - 3, h + 4, p.BottomRightInnerBorderColor);
    }
}

// ---------------------------------------------------------------------------
// PropertyPages

int pp_picture_cap(const XTabModel& m) {
    const int theme = m.props().TabTheme;
    const int h = m.strip_height();
    return std::min(m.picture_px(), (theme == 0 || theme == 2) ? h - 6 : h - 2);
}

void pp_theme0_shape(const XTabModel& m, Canvas& c, const TabState& s, bool flat) {
    const XTabProps& p = m.props();
    const auto [L, T, R, B] = s.r;
    const OleColor OB = p.OuterBorderColor;
    const OleColor TL = flat ? OB : p.TopLeftInnerBorderColor;
    const OleColor BR = flat ? kNoColor : p.BottomRightInnerBorderColor;
    const int a = m.ActiveTab();
    const bool corner = m.inactive_height() + 2 > m.active_height();
    const int base_r = flat ? R + 1 : R;
    OleColor start = s.start;
    OleColor end = s.end;
    if (!s.enabled && !s.active && s.i != a - 1 && s.i != a + 1) end = p.InActiveTabBackEndColor;
    if (s.active) {
        if (flat)
            pFillCurvedGradient(c, L, T, R, B, start, end, 2, true, true);
        else
            pFillCurvedGradient(c, L, T, R - 1, B, start, end, 2, true, true);
        c.line(L, T + 2, L + 3, T - 1, TL);
        c.line(L + 2, T, R - 2, T, TL);
        c.line(R - 2, T + 1, R, T + 3, OB);
        c.line(R - 1, T + 2, R - 1, B + 1, OB);
        c.line(R - 2, T + 2, R - 2, B + 1, BR);
        c.line(L, T + 2, L, B + 1, TL);
    } else if (s.i == a - 1) {
        pFillCurvedGradient(c, L, T, R, B, start, end, 2, true, corner);
        c.line(L, T + 2, L + 3, T - 1, TL);
        if (corner) {
            c.line(L + 2, T, R - 2, T, TL);
            c.line(R - 2, T + 1, R, T + 3, OB);
            c.line(R - 1, T + 2, R - 1, B + 1, OB);
            c.line(R - 2, T + 2, R - 2, B + 1, BR);
        } else {
            c.line(L + 2, T, R, T, TL);
        }
        c.line(L, B, base_r, B, TL);
        c.line(L, T + 2, L, B + 1, TL);
    } else if (s.i == a + 1) {
        pFillCurvedGradient(c, L, T, R - 1, B, start, end, 2, corner, true);
        if (corner) {
            c.line(L, T + 2, L + 3, T - 1, TL);
            c.line(L + 2, T, R - 2, T, TL);
            c.line(L, T + 2, L, B + 1, TL);
        } else {
            c.line(L, T, R - 2, T, TL);
        }
        c.line(R - 2, T + 1, R, T + 3, OB);
        c.line(R - 1, T + 2, R - 1, B, OB);
        c.line(R - 2, T + 2, R - 2, B, BR);
        c.line(L, B, base_r, B, TL);
    } else {
        pFillCurvedGradient(c, L, T, R - 1, B, start, end, 2, true, true);
        c.line(L, T + 2, L + 3, T - 1, TL);
        c.line(L + 2, T, R - 2, T, TL);
        c.line(R - 2, T + 1, R, T + 3, OB);
        c.line(R - 1, T + 2, R - 1, B, OB);
        c.line(R - 2, T + 2, R - 2, B, BR);
        c.line(L, B, base_r, B, TL);
        c.line(L, T + 2, L, B + 1, TL);
    }
    if (s.i == 0) c.line(L - 2, B, L, B, TL);
}

void pp_theme2_shape(const XTabModel& m, Canvas& c, const TabState& s) {
    const XTabProps& p = m.props();
    const auto [L, T, R, B] = s.r;
    const int a = m.ActiveTab();
    if (s.active) {
        pFillCurvedGradient(c, L, T, R, B, s.start, s.end, -1, false, false);
        c.line(L, T, R, T, p.OuterBorderColor);
        c.line(R, T, R, B + 2, p.BottomRightInnerBorderColor);
        c.line(L, B + 1, R, B + 1, s.enabled ? p.ActiveTabBackEndColor : p.DisabledTabBackColor);
        c.line(L, T, L, B + 2, p.OuterBorderColor);
    } else {
        pFillCurvedGradient(c, s.i == a + 1 ? L + 1 : L, T, R, B, s.start, s.end, -1, false, false);
        if (s.i != a - 1) c.line(R - 1, T + 2, R - 1, B - 2, p.InActiveTabForeColor);
        c.line(L, B + 1, R + 1, B + 1, p.OuterBorderColor);
    }
}

void pp_caption(XTabModel& m, Canvas& c, const TabState& s) {
    const XTabProps& p = m.props();
    const TabInfo& info = m.tab(s.i);
    const auto [L, T, R, B] = s.r;
    const int theme = p.TabTheme;
    const int shift = p.UseControlBox ? 2 : 0;
    const bool has_pic = !info.picture.isNull() && p.PictureAlign >= 0 && p.PictureAlign <= 3;
    const bool pic_left = p.PictureAlign == 0 || p.PictureAlign == 2;
    if (theme == 3) {
        const int l0 = L - shift;
        int r0 = R - 1 - shift;
        const int limit = r0;
        int pic = m.picture_px();
        if (T + pic > B + 1) pic = B - 4 - T;
        const int py = T + near_even((B - T - pic) / 2.0);
        int start = l0;
        if (has_pic && pic_left) {
            paint_picture(c, p, info.picture, l0 + 4, py, pic);
            start = l0 + 4 + pic + 2;
        } else if (has_pic) {
            r0 -= pic + 2;
        }
        const FittedCaption fit = fit_caption(info.caption, *s.font, r0 - start);
        const int left = (has_pic && pic_left) ? start : start + 7;
        int right = start + 7 + fit.width + 2 - (has_pic ? 7 : 0);
        if (has_pic && !pic_left) right += 7;
        const int top = near_even((T + B - fit.height) / 2.0);
        const int bottom = top + fit.height + 1;
        draw_fitted(c, qrect(left, top, std::max(right, left + fit.width + 2), bottom), fit, *s.font, s.fore, 0);
        if (has_pic && !pic_left) {
            int px = right + 5;
            if (px + pic > limit) px = limit - pic;
            paint_picture(c, p, info.picture, px, py, pic);
        }
        if (focus_shown(m, s)) c.draw_focus_rect(left - shift, top, right - shift, bottom);
        return;
    }
    int l = L + 2;
    int t = theme == 1 || theme == 4 ? T + 4 : T + 2;
    int r = theme == 0 ? R - 3 : theme == 2 ? R - 1 : R - 2;
    l -= shift;
    r -= shift;
    int tl = l;
    int tr = r;
    if (has_pic) {
        const int pic = pp_picture_cap(m);
        const int py = t + near_even((B - t - pic) / 2.0);
        const int px = pic_left ? l + 2 : r - pic - 2;
        paint_picture(c, p, info.picture, px, py, pic);
        if (pic_left)
            tl += theme == 0 ? pic - 6 : pic - 1;
        else
            tr -= theme == 0 ? pic - 3 : pic + 5;
    }
    // Centred on its rectangle and cut at its edges: no ellipsis in this style.
    c.draw_text(qrect(tl, t, tr, B), info.caption, *s.font, s.fore,
                text_flags::single_line | text_flags::vcenter | text_flags::center | text_flags::mnemonic);
    if (focus_shown(m, s)) c.draw_focus_rect(l + shift, t, r + shift, B);
}

void draw_tabs_property_pages(XTabModel& m, Canvas& c) {
    const XTabProps& p = m.props();
    const int theme = p.TabTheme;
    if (theme < 0 || theme > 4) return;
    layout_property_pages(m, c.width());
    const int W = c.width();
    const int h = m.strip_height();
    c.fill_rect(0, 0, W, h, p.TabStripBackColor);
    for (int i = 0; i < m.TabCount(); ++i) {
        const TabState s = tab_state(m, i);
        if (theme == 0 || theme == 1 || theme == 4) {
            pp_theme0_shape(m, c, s, theme != 0);
        } else if (theme == 2) {
            pp_theme2_shape(m, c, s);
        } else {
            const OleColor fill = !s.enabled ? p.DisabledTabBackColor
                                  : s.active ? p.ActiveTabBackStartColor
                                             : p.InActiveTabBackStartColor;
            c.round_rect(s.r.left, s.r.top, s.r.right, c.height() - 1, m.x_radius(), m.y_radius(), fill,
                         p.OuterBorderColor);
        }
        pp_caption(m, c, s);
    }
    const TabRect last = m.tab(m.TabCount() - 1).rect;
    if (theme == 0) {
        c.line(last.right, last.bottom, W, last.bottom, p.TopLeftInnerBorderColor);
    } else if (theme == 1 || theme == 4) {
        c.line(last.right, last.bottom, W, last.bottom, p.OuterBorderColor);
    } else if (theme == 2) {
        c.line(0, h + 1, 0, h + 4, p.OuterBorderColor);
        c.line(W - 1, h + 1, W - 1, h + 4, p.OuterBorderColor);
        c.line(last.right, last.bottom + 1, W, last.bottom + 1, p.OuterBorderColor);
    }
}

// ---------------------------------------------------------------------------
// Page panel

void background_frame(XTabModel& m, Canvas& c, bool double_frame) {
    const XTabProps& p = m.props();
    const int W = c.width();
    const int H = c.height();
    const int h = m.strip_height();
    const bool enabled = m.tab(m.ActiveTab()).enabled;
    c.clear(enabled ? p.ActiveTabBackEndColor : p.DisabledTabBackColor);
    const OleColor OB = p.OuterBorderColor;
    const OleColor TL = p.TopLeftInnerBorderColor;
    const OleColor BR = p.BottomRightInnerBorderColor;
    if (!double_frame) {
        c.line(0, h + 1, 0, H - 1, TL);
        c.line(W - 1, h + 1, W - 1, H - 1, OB);
        c.line(W - 2, h + 1, W - 2, H - 2, BR);
        c.line(0, H - 1, W, H - 1, OB);
        c.line(1, H - 2, W - 1, H - 2, BR);
        return;
    }
    c.line(0, h + 1, 0, H - 1, OB);
    c.line(1, h + 2, 1, H - 2, TL);
    c.line(2, h + 3, 2, H - 3, TL);
    c.line(W - 1, h + 1, W - 1, H - 1, OB);
    c.line(W - 2, h + 2, W - 2, H - 2, BR);
    c.line(W - 3, h + 3, W - 3, H - 3, BR);
    c.line(0, H - 1, W, H - 1, OB);
    c.line(1, H - 2, W - 1, H - 2, BR);
    c.line(2, H - 3, W - 2, H - 3, BR);
}

void background_flat(XTabModel& m, Canvas& c) {
    const XTabProps& p = m.props();
    const int W = c.width();
    const int H = c.height();
    const int h = m.strip_height();
    c.clear(m.tab(m.ActiveTab()).enabled ? p.ActiveTabBackEndColor : p.DisabledTabBackColor);
    c.line(0, h, 0, H - 1, p.OuterBorderColor);
    c.line(W - 1, h, W - 1, H - 1, p.OuterBorderColor);
    c.line(0, H - 1, W, H - 1, p.OuterBorderColor);
}

void background_filled(XTabModel& m, Canvas& c) {
    const XTabProps& p = m.props();
    const int W = c.width();
    const int H = c.height();
    const int h = m.strip_height();
    const TabInfo& active = m.tab(m.ActiveTab());
    const OleColor fill = active.enabled ? p.ActiveTabBackStartColor : p.DisabledTabBackColor;
    c.fill_rect(0, h + 1, W - 1, H - 1, fill);
    c.polyline({{0, h + 1}, {W - 1, h + 1}, {W - 1, H - 1}, {0, H - 1}, {0, h + 1}}, p.OuterBorderColor);
    c.line(active.rect.left + 1, active.rect.bottom - 1, active.rect.right - 1, active.rect.bottom - 1, fill);
}

void draw_box(Canvas& c, const TabRect& bx, OleColor outline, uint32_t start, uint32_t end, OleColor cross) {
    const auto [l, t, r, b] = bx;
    c.round_rect(l, t, r, b, 2, 2, kNoColor, outline);
    pFillCurvedGradient(c, l + 1, t + 1, r - 1, b - 2, ole(start), ole(end), -1, false, false);
    c.line(l + 3, b - 4, r - 3, t + 2, cross);
    c.line(l + 3, t + 3, r - 3, b - 3, cross);
}

}  // namespace

void pFillCurvedGradient(Canvas& c, int left, int top, int right, int bottom, OleColor start, OleColor end, int radius,
                         bool cut_left, bool cut_right) {
    curved_fill(c, left, top, right, bottom, GetRGBFromOLE(start), GetRGBFromOLE(end), radius, cut_left, cut_right,
                solid_row);
}

void pFillCurvedSolid(Canvas& c, int left, int top, int right, int bottom, OleColor color, int radius, bool cut_left,
                      bool cut_right) {
    pFillCurvedGradient(c, left, top, right, bottom, color, color, radius, cut_left, cut_right);
}

void pFillCurvedXor(Canvas& c, int left, int top, int right, int bottom, uint32_t rgb, int radius, bool cut_left,
                    bool cut_right) {
    curved_fill(c, left, top, right, bottom, rgb, rgb, radius, cut_left, cut_right, xor_row);
}

void layout_tabbed_dialog(XTabModel& m, int width) {
    const XTabProps& p = m.props();
    const int theme = p.TabTheme;
    if (theme < 0 || theme > 4) return;
    const int n = m.TabCount();
    const int w = near_even(static_cast<double>(width) / n);
    const int ha = m.active_height();
    const int hi = m.inactive_height();
    for (int i = 0; i < n; ++i) {
        TabRect r;
        r.left = w * i;
        r.right = i == n - 1 ? width - 1 : r.left + w;
        if (i == m.ActiveTab()) {
            r.top = ha <= hi ? hi - ha : 0;
            r.bottom = r.top + ha;
        } else {
            r.top = hi <= ha ? ha - hi : 0;
            r.bottom = r.top + hi;
        }
        if (theme == 3) r.bottom += 2;
        const TabRect box = theme == 0 ? TabRect{r.right - 14, r.top + 5, r.right - 4, r.top + 15}
                                       : TabRect{r.right - 13, r.top + 6, r.right - 3, r.top + 16};
        m.store_rects(i, r, box);
    }
}

void layout_property_pages(XTabModel& m, int /*width*/) {
    const XTabProps& p = m.props();
    const int theme = p.TabTheme;
    if (theme < 0 || theme > 4) return;
    const int h = m.strip_height();
    const int a = m.ActiveTab();
    const int pic = std::min(m.picture_px(), theme == 0 ? h - 6 : h - 2);
    int prev_r = 0;
    for (int i = 0; i < m.TabCount(); ++i) {
        const TabInfo& t = m.tab(i);
        QString text = t.caption;
        text.replace(QStringLiteral("&&"), QStringLiteral("&"));
        if (text.contains(QLatin1Char('&'))) text.chop(1);
        const int tw = Canvas::text_extent(text, p.ActiveTabFont, false).width();
        const int extra = t.picture.isNull() ? 0 : (theme == 3 ? pic + 4 : pic + 1);
        const int w = tw + 14 + extra;
        TabRect r;
        if (i == 0) {
            r.left = a != 0 ? 2 : 0;
        } else if (theme == 0 || theme == 2) {
            r.left = prev_r;
        } else if (theme == 3) {
            r.left = prev_r + 1;
        } else {
            r.left = (i == a || i == a + 1) ? prev_r : prev_r + 1;
        }
        r.right = (i == 0 && theme >= 1 && a != 0) ? w + 1 : r.left + w;
        if (p.UseControlBox) {
            if (theme == 0 || theme == 2)
                r.right += i == a ? 15 : 12;
            else if (theme == 3)
                r.right += i == a ? 6 : 0;
            else
                r.right += i == a ? 21 : 15;
        }
        r.top = h - (i == a ? m.active_height() : m.inactive_height());
        r.bottom = theme == 3 ? h + 2 : h;
        const TabRect box = theme == 0   ? TabRect{r.right - 14, r.top + 5, r.right - 4, r.top + 15}
                            : theme == 2 ? TabRect{r.right - 13, r.top + 5, r.right - 3, r.top + 15}
                                         : TabRect{r.right - 13, r.top + 6, r.right - 3, r.top + 16};
        m.store_rects(i, r, box);
        prev_r = r.right;
    }
}

// ---------------------------------------------------------------------------
// The model's painting entry points

void XTabModel::DrawBackground() {
    const int theme = p_.TabTheme;
    if (theme == 3 && !background_armed_) {
        background_armed_ = true;
        return;
    }
    if (theme < 0 || theme > 4) return;
    if (p_.TabStyle == kTabStyleTabbedDialog)
        DrawBackgroundTabbedDialog();
    else if (p_.TabStyle == kTabStylePropertyPages)
        DrawBackgroundPropertyPages();
}

void XTabModel::DrawBackgroundTabbedDialog() {
    const int theme = p_.TabTheme;
    if (theme == 2) return DrawBackgroundPropertyPages();
    if (theme < 0 || theme > 4 || surface_.empty()) return;
    if (theme == 0)
        background_frame(*this, surface_, true);
    else if (theme == 3)
        background_filled(*this, surface_);
    else
        background_flat(*this, surface_);
    emit surfaceChanged();
}

void XTabModel::DrawBackgroundPropertyPages() {
    const int theme = p_.TabTheme;
    if (theme == 1 || theme == 3 || theme == 4) return DrawBackgroundTabbedDialog();
    if ((theme != 0 && theme != 2) || surface_.empty()) return;
    if (theme == 0)
        background_frame(*this, surface_, false);
    else
        background_flat(*this, surface_);
    emit surfaceChanged();
}

bool XTabModel::background_clears() const {
    const int theme = p_.TabTheme;
    const int style = p_.TabStyle;
    return theme >= 0 && theme <= 4 && theme != 3 &&
           (style == kTabStyleTabbedDialog || style == kTabStylePropertyPages);
}

void XTabModel::DrawTabs() {
    const int theme = p_.TabTheme;
    if (theme >= 0 && theme <= 4) {
        if (p_.TabStyle == kTabStyleTabbedDialog)
            DrawTabsTabbedDialog();
        else if (p_.TabStyle == kTabStylePropertyPages)
            DrawTabsPropertyPages();
        if (theme == 3) {
            background_armed_ = true;
            DrawBackground();
        }
    }
    if (p_.UseControlBox) DrawControlBox(0, -1);
}

void XTabModel::DrawTabsTabbedDialog() {
    if (p_.TabTheme == 2) return DrawTabsPropertyPages();
    redraw_tabs(draw_tabs_tabbed_dialog);
}

void XTabModel::DrawTabsPropertyPages() { redraw_tabs(draw_tabs_property_pages); }

void XTabModel::redraw_tabs(void (*draw)(XTabModel&, Canvas&)) {
    if (p_.TabTheme < 0 || p_.TabTheme > 4 || surface_.empty()) return;
    // Repainting the strip wipes any hover highlight.
    stop_hover();
    draw(*this, surface_);
    if (hover_theme()) {
        // The active tab's own highlight, whichever tab the pointer was over
        // last: the hover highlight of another tab went with the repaint.
        hot_rect_ = tabs_[static_cast<std::size_t>(active_)].rect;
        draw_highlight(active_);
    }
    emit surfaceChanged();
}

void XTabModel::DrawImage(Canvas& target, const QImage& bitmap, uint32_t mask_rgb, int16_t x, int16_t y, int16_t width,
                          int16_t height) {
    if (bitmap.isNull() || width <= 0 || height <= 0) return;
    const QRect dst(x, y, width, height);
    const QRect shown = dst & QRect(0, 0, target.width(), target.height());
    if (shown.isEmpty()) return;
    // Nearest source pixel for each target pixel, sampled at pixel centres;
    // a destination far larger than the target costs only what shows.
    const QImage src = bitmap.convertToFormat(QImage::Format_ARGB32);
    QImage part(shown.size(), QImage::Format_ARGB32);
    for (int ty = 0; ty < shown.height(); ++ty) {
        const int64_t dy = shown.y() + ty - dst.y();
        const int sy = static_cast<int>((2 * dy + 1) * src.height() / (2 * int64_t{height}));
        const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* to = reinterpret_cast<QRgb*>(part.scanLine(ty));
        for (int tx = 0; tx < shown.width(); ++tx) {
            const int64_t dx = shown.x() + tx - dst.x();
            to[tx] = from[(2 * dx + 1) * src.width() / (2 * int64_t{width})];
        }
    }
    target.blit(part, shown.x(), shown.y(), mask_rgb);
}

void XTabModel::DrawControlBox(int state, int index) {
    const int theme = p_.TabTheme;
    if (theme < 0 || theme > 4 || surface_.empty()) return;
    if (theme == 0 && index != -1) return;
    const uint32_t start = GetRGBFromOLE(p_.ActiveTabBackStartColor);
    const uint32_t end = GetRGBFromOLE(p_.ActiveTabBackEndColor);
    const uint32_t dark = OffsetColor(p_.ActiveTabBackEndColor, -48);
    const OleColor cross = ole(OffsetColor(p_.OuterBorderColor, -192));
    if (index == -1) {
        for (const TabInfo& t : tabs_) draw_box(surface_, t.box, p_.OuterBorderColor, start, end, cross);
    } else if (index >= 0 && index < TabCount()) {
        const uint32_t top = state == 2 ? dark : start;
        const uint32_t bottom = state == 0 ? end : dark;
        draw_box(surface_, tabs_[index].box, p_.OuterBorderColor, top, bottom, cross);
    }
    emit surfaceChanged();
}

}  // namespace tuner
