// The face painters of the owner-drawn button and the redraw procedure that
// runs them: background and gradients, caption and picture, the three edge
// rings, the focus mark, the clip and frame check with the press nudge, and
// the outline of shaped buttons.
#include <algorithm>
#include <cmath>
#include <utility>

#include "buttons/button_model.h"
#include "platform/canvas_dotted_line.h"

namespace tuner {
namespace {

using namespace button_state;

constexpr OleColor kWhite = 0xFFFFFF;
constexpr OleColor kGrey = 0x808080;
constexpr OleColor kBlack = 0;
constexpr int kDottedPen = 2;

OleColor sb(uint32_t c, int amount) { return static_cast<OleColor>(ShiftColorSB(c, amount)); }
OleColor sh(uint32_t c, int amount) { return static_cast<OleColor>(ShiftColor(c, amount)); }
OleColor rgb(OleColor c) { return static_cast<OleColor>(translate_color(c)); }

void set_rings(std::array<OleColor, 13>& cols, int first, OleColor l, OleColor t, OleColor r, OleColor b) {
    cols[static_cast<size_t>(first)] = l;
    cols[static_cast<size_t>(first + 1)] = t;
    cols[static_cast<size_t>(first + 2)] = r;
    cols[static_cast<size_t>(first + 3)] = b;
}

// Style-2 edge table: per state, entries 1 to 8 as a ShiftColor amount on the
// base (shift true) or a fixed colour; kUnshifted stands for the base itself
// (a shift by 0 is not the same colour: green is rescaled).
struct EdgeEntry {
    bool shift;
    int value;
};
constexpr int kUnshifted = 0x7FFF;
constexpr EdgeEntry kStyle2Edges[4][8] = {
    {{true, -10}, {true, 10}, {true, -24}, {true, -32}, {true, -5}, {true, 16}, {true, -36}, {true, -48}},
    {{false, 0xF0D1B5},
     {false, 0xF7D7BD},
     {false, 0xF0D1B5},
     {false, 0xE7AE8C},
     {false, 0xE7AE8C},
     {false, 0xFFDFBF},
     {false, 0xE7AE8C},
     {false, 0xEF826B}},
    {{true, -22}, {true, -24}, {true, kUnshifted}, {true, 10}, {true, -32}, {true, -32}, {true, 5}, {true, 16}},
    {{false, 0x6BCBFF},
     {false, 0x8CDBFF},
     {false, 0x6BCBFF},
     {false, 0x31B2FF},
     {false, 0x31B2FF},
     {false, 0xA6E9FF},
     {false, 0x31B2FF},
     {false, 0x0096E7}},
};
constexpr OleColor kStyle2Outer = 0x733C00;

}  // namespace

// ---------------------------------------------------------------- redraw

void ButtonModel::RedrawButton() {
    if (drawing_delayed_) return;
    if (std::exchange(resized_while_delayed_, false)) {
        RebuildShape();
        Layout(false);
    }
    if (surface_.empty()) return;
    ++redraw_count_;
    EdgePoints pts{};
    EdgeColors cols{};
    int draw_state = 0;
    int frame_mode = 0;
    PaintFace(pts, cols, draw_state, frame_mode);
    last_draw_state_ = draw_state;
    if (frame_mode == 0) return;
    window_.image() = surface_.image().copy();
    if (frame_mode > 1) OutlineShape(frame_mode, cols[12]);
    if (host_) host_->RefreshWindow();
}

void ButtonModel::OutlineShape(int /*frame_mode*/, OleColor outline) {
    std::optional<Region> region;
    const int shape = button_shape_;
    if (shape >= 4 && shape <= 6) {
        if (button_style_ == 2 && !PressedHovered()) {
            region = clip_region_;
        } else if (shape == 6) {
            region = window_region_;
        }
    } else if (shape == 7 || shape == 8) {
        if (!hover_active_ || PressedHovered()) {
            if (IsDefault()) {
                region = shape == 8 ? inner_region_ : clip_region_;
                if (value_ && button_style_ != 2) outline = sh(static_cast<uint32_t>(derived_.PressedFaceColor), -32);
            }
        } else {
            if (button_style_ != 2) outline = static_cast<OleColor>(derived_.HoverFaceColor);
            if (static_cast<uint32_t>(outline) != translate_color(back_color_) || button_style_ == 2)
                region = window_region_;
        }
    }
    if (region && outline != kNoColor) window_.frame_region(*region, outline);
}

void ButtonModel::PaintFace(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode) {
    switch (button_style_) {
        case 2: PaintFaceStyle2(pts, cols, draw_state, frame_mode); break;
        case 3: PaintFaceStyle3(pts, cols, draw_state, frame_mode); break;
        case 7: PaintFaceStyle7(pts, cols, draw_state, frame_mode); break;
        default: PaintFaceFamily(pts, cols, draw_state, frame_mode); break;
    }
}

// ---------------------------------------------------------------- clip, frame, nudge

void ButtonModel::SettleNudge() {
    if (!(state_flags_ & kNudged)) return;
    if (custom_click_ != 0 && mode_ == 0 && PressedHovered() && NudgeOffset(custom_click_) == nudge_offset_) return;
    state_flags_ &= ~kNudged;
    if (host_) host_->MoveWindowBy(-nudge_offset_.x(), -nudge_offset_.y());
}

bool ButtonModel::PressNudge() {
    const bool applies = custom_click_ != 0 && mode_ == 0;
    if (applies && PressedHovered() && !(state_flags_ & kNudged)) {
        nudge_offset_ = NudgeOffset(custom_click_);
        if (host_) host_->MoveWindowBy(nudge_offset_.x(), nudge_offset_.y());
        state_flags_ |= kNudged;
        window_.image() = surface_.image().copy();
        if (host_) host_->RefreshWindow();
        return true;
    }
    // Moves back whenever the nudge no longer applies, with the offset it was moved by.
    SettleNudge();
    return false;
}

void ButtonModel::ClipAndFrame(int& frame_mode) {
    if (PressNudge()) {
        frame_mode = 0;
        return;
    }
    frame_mode = 1;
    const bool ph = PressedHovered();
    const int shape = button_shape_;
    if (button_style_ == 5 && !ph && !value_ && !hover_active_) {
        surface_.set_clip(std::nullopt);
        return;
    }
    const int saved = gradient_mode_;
    surface_.set_clip(std::nullopt);
    if (button_style_ == 5 && !(!value_ && (shape == 6 || shape == 7))) {
        gradient_mode_ = 3;
        GradientFill(0xFFFFFF, kGrey);
        surface_.set_clip(inner_region_);
        frame_mode = 4;
    }
    if ((ph || value_) && shape != 6 && shape != 7) {
        surface_.set_clip(clip_region_);
        gradient_mode_ = 3;
        GradientFill(0x808080, kWhite);
        surface_.set_clip(inner_region_);
        frame_mode = 4;
        gradient_mode_ = saved;
        return;
    }
    if (shape != 6 && shape != 7) {
        surface_.set_clip(clip_region_);
        frame_mode = 3;
        gradient_mode_ = saved;
        return;
    }
    if (shape == 6 && !hover_active_) {
        gradient_mode_ = saved;
        return;
    }
    surface_.frame_region(window_region_, shape == 6 ? kBlack : rgb(back_color_));
    surface_.set_clip(clip_region_);
    frame_mode = 3;
    gradient_mode_ = saved;
}

// ---------------------------------------------------------------- background

void ButtonModel::GradientFill(uint32_t start, OleColor end) {
    const bool columns = gradient_mode_ == 1 || gradient_mode_ == 2;
    const int size = columns ? width_ : height_;
    if (size <= 0 || gradient_mode_ < 1 || gradient_mode_ > 4) return;
    const int screen = columns ? ambient_.screen.width() : ambient_.screen.height();
    int band = 1;
    int count = size;
    if (screen / size < 4) {
        band = 2;
        count = size / 2;
    }
    if (count < 1) {
        // A one-pixel face: one band of the start colour.
        count = 1;
        band = size;
    }
    start &= 0xFFFFFF;
    const uint32_t e = translate_color(end);
    double c[3] = {static_cast<double>(start & 0xFF), (start & 0xFF00) / 255.0, (start & 0xFF0000) / 65280.0};
    const double target[3] = {static_cast<double>(e & 0xFF), std::nearbyint((e & 0xFF00) / 255.0),
                              std::nearbyint((e & 0xFF0000) / 65280.0)};
    double step[3] = {0, 0, 0};
    if (count > 1) {
        for (int k = 0; k < 3; ++k) step[k] = (target[k] - c[k]) / (count - 1);
    }
    std::vector<uint32_t> ramp(static_cast<size_t>(count));
    ramp[0] = start;
    for (int i = 1; i < count; ++i) {
        int comp[3];
        for (int k = 0; k < 3; ++k) {
            c[k] = std::clamp(c[k] + step[k], 0.0, 255.0);
            comp[k] = static_cast<int>(std::floor(c[k]));
        }
        ramp[static_cast<size_t>(i)] = make_rgb(comp[0], comp[1], comp[2]);
    }
    const bool reversed = gradient_mode_ == 2 || gradient_mode_ == 4;
    for (int i = 0; i < count; ++i) {
        const auto colour = static_cast<OleColor>(ramp[static_cast<size_t>(reversed ? count - 1 - i : i)]);
        const int from = i * band;
        // The last band takes what the bands leave over.
        const int to = i == count - 1 ? size : from + band;
        if (columns)
            surface_.fill_rect(from, 0, to, height_, colour);
        else
            surface_.fill_rect(0, from, width_, to, colour);
    }
}

void ButtonModel::PaintFaceBackground(OleColor fill, int& draw_state, int& frame_mode, OleColor gradient_end,
                                      OleColor alternate) {
    ClipAndFrame(frame_mode);
    if (frame_mode == 0) return;
    const bool ph = PressedHovered();
    draw_state = ph ? 2 : IsDefault() ? 1 : 0;
    if (alternate < 0) alternate = fill;
    const bool use_alt = hover_active_ && ((mode_ == 0 && !ph) || (mode_ > 0 && !value_));
    const OleColor colour = use_alt ? alternate : fill;
    const bool no_user_gradient = gradient_mode_ == 0 || button_shape_ >= 7 || value_;
    if (no_user_gradient) {
        if (button_style_ == 2 && (enabled_ || mode_ > 0)) {
            // Row shading: darker by up to 25 steps toward the bottom.
            // (Row H lies below the surface; a surface of height 0 has no rows.)
            const int h = height_;
            for (int y = 0; y < h; ++y) {
                const int amount = static_cast<int>(std::nearbyint(-25.0 * y / h));
                surface_.fill_rect(0, y, width_, y + 1, sb(static_cast<uint32_t>(colour), amount));
            }
        } else {
            surface_.fill_rect(0, 0, width_, height_, colour);
        }
        return;
    }
    if (hover_active_ && !ph && gradient_color_ != hover_back_color_) {
        surface_.fill_rect(0, 0, width_, height_, alternate);
    } else {
        GradientFill(static_cast<uint32_t>(fill), gradient_end < 0 ? fill : gradient_end);
    }
}

// ---------------------------------------------------------------- caption and picture

void ButtonModel::DrawText(BoxRect r, OleColor colour) {
    unsigned flags = text_flags::word_break | text_flags::mnemonic;
    flags |= caption_align_ == 0 ? text_flags::left : caption_align_ == 1 ? text_flags::right : text_flags::center;
    QString text = CaptionDisplayText(caption_);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    surface_.draw_text(QRect(r.left, r.top, r.width(), r.height()), text, font_, colour, flags);
}

void ButtonModel::DrawCaption(OleColor fill, OleColor disabled_text, bool checked, bool single_pass) {
    BoxRect cap = layout_.caption;
    BoxRect pic = layout_.picture;
    const bool ph = PressedHovered();
    if ((checked || ph) && button_style_ != 3) {
        cap.offset(button_shape_ > 3 ? 0 : 1, 1);
        pic.offset(button_shape_ < 4 ? 1 : 0, 1);
    }
    if (!(value_ && button_shape_ >= 7)) DrawPicture(pic);
    if (caption_.isEmpty() || (button_shape_ > 4 && !value_)) return;

    OleColor colour;
    if (enabled_) {
        colour = hover_active_ && !ph ? rgb(hover_fore_color_) : rgb(fore_color_);
        if (button_style_ == 7 && (value_ || gradient_mode_ == 0)) colour = disabled_text;
        if (caption_style_ == 1 || caption_style_ == 2) {
            const int a = caption_style_ == 2 ? 40 : -40;
            cap.offset(-1, 0);
            DrawText(cap, sh(static_cast<uint32_t>(fill), a));
            cap.offset(2, 2);
            DrawText(cap, sh(static_cast<uint32_t>(fill), -a));
            cap.offset(-1, -1);
        }
    } else {
        colour = disabled_text;
        if (disabled_text < 0 || gradient_mode_ != 0) {
            colour = kWhite;
            cap.offset(1, 1);
            single_pass = false;
        }
    }
    DrawText(cap, colour);
    if (!enabled_ && !single_pass) {
        cap.offset(-1, -1);
        DrawText(cap, kGrey);
    }
}

void ButtonModel::DrawPicture(BoxRect rect) {
    if (picture_width_ <= 0 || picture_height_ <= 0 || picture_.none()) return;
    if (button_shape_ >= 7) {
        rect = BoxRect{0, 0, width_, height_};
        if (PressedHovered()) rect = BoxRect{1, 1, width_ - 1, height_ - 1};
    }
    if (rect.width() <= 0 || rect.height() <= 0) return;
    QImage img = picture_.image.scaled(rect.width(), rect.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
    if (!picture_.is_icon) {
        // A bitmap's top-left pixel is its transparent colour.
        const QRgb key = img.pixel(0, 0) | 0xFF000000;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if ((img.pixel(x, y) | 0xFF000000) == key) img.setPixel(x, y, 0);
            }
        }
    }
    if (enabled_) {
        surface_.blit(img, rect.left, rect.top);
        return;
    }
    // Disabled: the picture is drawn on a white one-bit scratch (dark pixels
    // black, light and transparent ones white) and combined with the face
    // through a grey brush: where the scratch is white the face stays, where
    // it is black the grey shows.
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            const int a = qAlpha(p);
            const int luma = (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000;
            const int over_white = (luma * a + 255 * (255 - a)) / 255;
            if (over_white < 128) surface_.set_pixel(rect.left + x, rect.top + y, kGrey);
        }
    }
}

// ---------------------------------------------------------------- edges and focus

void ButtonModel::DrawEdges(EdgePoints& p, const EdgeColors& cols, int pen_style) {
    const int shape = button_shape_;
    const bool slanted = shape >= 1 && shape <= 3;
    const int L = slanted && shape != 2 ? 1 : 0;
    const int R = slanted && shape != 1 ? 1 : 0;
    const int FL = face_left_;
    const int FR = face_right_;
    const int W = width_;
    const int H = height_;
    p[0] = {FL + 2 - 4 * L, H - 3};
    p[1] = {2 + 2 * L, 2};
    p[2] = {FR - 3 + 3 * R, 2};
    p[3] = {W - 3 - 3 * R, H - 3};
    p[4] = {FL + 1 - 4 * L, H - 3};
    p[5] = {p[0].x() + L - 1, p[0].y() + 1};
    p[6] = {p[1].x() - L - 1, p[1].y() - 1};
    p[7] = {p[2].x() + 1 - R, p[2].y() - 1};
    p[8] = {p[3].x() + R + 1, p[3].y() + 1};
    p[9] = {p[4].x() - 1, p[4].y() + 1};
    p[10] = {FL - L, H - 1 + L};
    p[11] = {0, 0};
    p[12] = {FR - 1 + R, 0};
    p[13] = {W - 1, H - 1 + R};
    p[14] = {FL - 1 - 2 * L, H - 1};
    p[15] = {W - 1, H - 1};

    OleColor pen = kBlack;  // the surface's initial pen
    bool pen_dotted = false;
    auto segment = [&](const QPoint& a, const QPoint& b) {
        if (pen_dotted)
            dotted_line(surface_, a.x(), a.y(), b.x(), b.y(), pen);
        else
            surface_.line(a.x(), a.y(), b.x(), b.y(), pen);
    };
    for (int i = 0; i <= 13; ++i) {
        if (i == 4 || i == 9) continue;
        const int entry = i <= 3 ? i + 1 : i <= 8 ? i : i - 1;
        const OleColor c = cols[static_cast<size_t>(entry)];
        if (c == kNoColor) continue;
        pen = c;
        pen_dotted = i >= 10 && pen_style == kDottedPen;
        segment(p[static_cast<size_t>(i)], p[static_cast<size_t>(i + 1)]);
    }
    segment(p[14], p[15]);
}

void ButtonModel::DrawFocusMark(OleColor colour, bool value, bool around_caption, EdgePoints& pts) {
    const int shape = button_shape_;
    if (!IsDefault() || shape > 6) return;
    if (shape >= 4) {
        if (button_style_ == 2) return;
        around_caption = true;
    }
    if (colour < 0) colour = kBlack;
    const int W = width_;
    const int H = height_;
    const int FL = face_left_;
    const int FR = face_right_;
    if (shape >= 1 && shape <= 3) {
        const int a = FL != 0 ? 1 : 0;
        const int b = W > FR ? 1 : 0;
        pts[0] = {FL + 4 - 6 * a, H - 5};
        pts[1] = {4 + 4 * a, 4};
        pts[2] = {FR - 5 + 4 * b, 4};
        pts[3] = {W - 5 - 6 * b, H - 5};
        pts[4] = {FL + 3 - 4 * a, H - 5};
        surface_.polyline({pts[0], pts[1], pts[2], pts[3], pts[4]}, colour);
        return;
    }
    BoxRect r;
    if (!around_caption) {
        r = BoxRect{FL + 4, 4, FR - 4, H - 4};
    } else {
        if (!caption_.isEmpty()) {
            r = layout_.caption;
        } else {
            r = layout_.picture;
            r.right = std::min(r.right, W - 4);
            r.bottom = std::min(r.bottom, H - 4);
        }
        const int m = (r.right >= FR - 4 || r.left <= FL + 4) ? 1 : 2;
        r = BoxRect{r.left - m, r.top - m, r.right + m, r.bottom + m};
        if ((PressedHovered() || value_) && button_style_ != 3) r.offset(shape < 4 ? 1 : 0, 1);
    }
    if (!value) {
        surface_.draw_focus_rect(r.left, r.top, r.right, r.bottom);
    } else {
        surface_.polyline({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}},
                          colour);
    }
}

// ---------------------------------------------------------------- style 2

void ButtonModel::PaintFaceStyle2(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode) {
    const bool ph = PressedHovered();
    const auto face = static_cast<OleColor>(derived_.FaceColor);
    OleColor fill;
    OleColor base;
    if (mode_ == 0) {
        if (!ph || gradient_mode_ != 0)
            fill = enabled_ ? face : sb(derived_.FaceColor, -24);
        else
            fill = static_cast<OleColor>(derived_.PressedFaceColor);
        base = face;
    } else {
        fill = value_ ? static_cast<OleColor>(derived_.CheckedFaceColor) : face;
        base = fill;
    }
    const OleColor disabled_text = enabled_ ? kNoColor : sb(static_cast<uint32_t>(fill), -104);
    const OleColor gradient_end =
        button_shape_ < 7 && gradient_mode_ != 0 ? sb(translate_color(gradient_color_), 48) : fill;
    PaintFaceBackground(fill, draw_state, frame_mode, gradient_end, static_cast<OleColor>(derived_.HoverFaceColor));
    if (frame_mode == 0) return;
    DrawCaption(fill, disabled_text, value_, true);

    if (button_shape_ >= 4) {
        if (IsDefault() && !hover_active_)
            cols[12] = 0xEF826B;
        else if (hover_active_)
            cols[12] = 0x0096E7;
        else
            frame_mode = 1;
        return;
    }
    OleColor border;
    if (!enabled_) {
        for (int i = 1; i <= 8; ++i) cols[static_cast<size_t>(i)] = kNoColor;
        border = sb(static_cast<uint32_t>(base), -84);
        set_rings(cols, 9, border, border, border, border);
    } else {
        if (value_ || (held_down_ && mode_ > 0)) draw_state = IsDefault() ? 1 : 2;
        if (hover_active_ && !ph)
            draw_state = 3;
        else if (draw_state == 1 && !show_focus_rect_)
            draw_state = 0;
        for (int i = 0; i < 8; ++i) {
            const EdgeEntry& e = kStyle2Edges[draw_state][i];
            cols[static_cast<size_t>(i + 1)] = !e.shift                ? e.value
                                               : e.value == kUnshifted ? base
                                                                       : sb(static_cast<uint32_t>(base), e.value);
        }
        border = kStyle2Outer;
        set_rings(cols, 9, border, border, border, border);
    }
    DrawEdges(pts, cols, -1);
    const int W = width_;
    const int H = height_;
    if (face_left_ == 0) {
        surface_.set_pixel(1, H - 2, border);
        surface_.set_pixel(1, 1, border);
    }
    if (W == face_right_) {
        surface_.set_pixel(W - 2, H - 2, border);
        surface_.set_pixel(W - 2, 1, border);
    }
}

// ---------------------------------------------------------------- styles 0, 1, 4, 5, 6

void ButtonModel::PaintFaceFamily(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode) {
    const int style = button_style_;
    const bool checked = mode_ > 0 && value_;
    const bool held = mode_ > 0 && held_down_;
    const OleColor fill = static_cast<OleColor>(checked ? derived_.CheckedFaceColor : derived_.FaceColor);
    PaintFaceBackground(fill, draw_state, frame_mode, rgb(gradient_color_),
                        static_cast<OleColor>(derived_.HoverFaceColor));
    if (frame_mode == 0) return;
    const OleColor disabled_text = enabled_ || mode_ == 0 ? kNoColor : kGrey;
    DrawCaption(fill, disabled_text, value_, mode_ > 0);

    const bool ph = PressedHovered();
    const bool down = ph || checked || held;
    const int shape = button_shape_;
    const OleColor G = kGrey;
    const OleColor W = kWhite;
    const OleColor K = kBlack;
    for (int i = 1; i <= 12; ++i) cols[static_cast<size_t>(i)] = kNoColor;
    int pen_style = -1;
    switch (style) {
        case 0: {
            if (checked || held) draw_state = 3;
            const OleColor L = ph ? fill : static_cast<OleColor>(0xE9E9E9);
            if (draw_state == 1) set_rings(cols, 1, L, L, G, G);
            if (draw_state == 0)
                set_rings(cols, 5, L, L, G, G);
            else if (draw_state == 1)
                set_rings(cols, 5, W, W, K, K);
            else if (draw_state == 2)
                set_rings(cols, 5, kNoColor, kNoColor, G, G);
            else
                set_rings(cols, 5, kNoColor, kNoColor, L, L);
            if (checked || held)
                set_rings(cols, 9, K, K, W, W);
            else if (IsDefault())
                set_rings(cols, 9, K, K, K, K);
            else
                set_rings(cols, 9, W, W, K, K);
            break;
        }
        case 1:
            draw_state = down ? 2 : 1;
            if (draw_state == 1) {
                set_rings(cols, 1, W, W, G, G);
                set_rings(cols, 5, W, W, G, G);
            } else {
                set_rings(cols, 1, G, G, W, W);
                set_rings(cols, 5, G, G, W, W);
            }
            set_rings(cols, 9, K, K, K, K);
            break;
        case 4:
            draw_state = down ? 2 : 1;
            if (draw_state == 1)
                set_rings(cols, 9, W, W, G, G);
            else
                set_rings(cols, 9, G, G, W, W);
            break;
        case 6: {
            draw_state = down ? 1 : 0;
            const OleColor L = sh(0xDFDFDF, 8);
            if (draw_state == 0) {
                set_rings(cols, 5, L, L, G, G);
                set_rings(cols, 9, L, L, G, G);
            } else {
                set_rings(cols, 5, G, G, L, L);
                set_rings(cols, 9, G, G, L, L);
            }
            break;
        }
        default: {  // 5
            draw_state = down ? 2 : 1;
            if (!hover_active_ && !checked) {
                OleColor c = sh(container_back_rgb_, -64);
                if (c == 0) c = W;
                set_rings(cols, 9, c, c, c, c);
            } else if (draw_state == 1) {
                set_rings(cols, 9, W, W, G, G);
            } else {
                set_rings(cols, 9, G, G, W, W);
            }
            if (!checked) pen_style = kDottedPen;
            if (!checked && shape >= 4 && shape <= 6) {
                surface_.set_clip(std::nullopt);
                surface_.ellipse(0, 0, width_ - 1, height_ - 1, kNoColor, sh(container_back_rgb_, -32));
                surface_.set_clip(clip_region_);
            }
            break;
        }
    }
    if (shape < 4) DrawEdges(pts, cols, pen_style);

    OleColor focus;
    if (style == 5 && shape >= 1 && shape <= 3)
        focus = sh(container_back_rgb_, -32);  // whether checked, held or not
    else if (mode_ > 0 && (value_ || held_down_))
        focus = kBlack;
    else if (shape >= 1 && shape <= 3)
        focus = sh(static_cast<uint32_t>(fill), -48);
    else
        focus = disabled_text;

    if (shape < 6 || (shape == 6 && !hover_active_ && !ph))
        frame_mode = 1;
    else
        cols[12] = kBlack;
    DrawFocusMark(focus, value_, style == 0 ? value_ : false, pts);
}

// ---------------------------------------------------------------- style 3

void ButtonModel::PaintFaceStyle3(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode) {
    const bool ph = PressedHovered();
    const bool checked = mode_ > 0 && value_;
    const bool held = mode_ > 0 && held_down_;
    OleColor fill = static_cast<OleColor>(derived_.FaceColor);
    if (checked)
        fill = static_cast<OleColor>(derived_.CheckedFaceColor);
    else if (mode_ == 0 && ph)
        fill = static_cast<OleColor>(derived_.PressedFaceColor);
    const OleColor disabled_text = sh(0x808080, -16);
    const OleColor D = sh(0x808080, -26);
    PaintFaceBackground(fill, draw_state, frame_mode, rgb(gradient_color_),
                        static_cast<OleColor>(derived_.HoverFaceColor));
    if (frame_mode == 0) return;
    DrawCaption(fill, disabled_text, false, true);
    for (int i = 1; i <= 12; ++i) cols[static_cast<size_t>(i)] = kNoColor;
    if (enabled_ || mode_ > 0) {
        if (mode_ > 0) draw_state = checked || held ? 2 : 3;
        if (draw_state < 2) draw_state = 1;
        if (draw_state == 2)
            set_rings(cols, 5, fill, fill, D, D);
        else
            set_rings(cols, 5, kWhite, kWhite, D, D);
        set_rings(cols, 9, D, D, kWhite, kWhite);
    } else {
        set_rings(cols, 1, fill, fill, fill, fill);
        set_rings(cols, 5, fill, fill, fill, fill);
        set_rings(cols, 9, D, D, D, D);
    }
    if (button_shape_ < 4) DrawEdges(pts, cols, -1);
    if (button_shape_ < 6 || (button_shape_ == 6 && !hover_active_ && !ph))
        frame_mode = 1;
    else
        cols[12] = kBlack;
    DrawFocusMark(0xCC9999, value_, true, pts);
}

// ---------------------------------------------------------------- style 7

void ButtonModel::PaintFaceStyle7(EdgePoints& pts, EdgeColors& cols, int& draw_state, int& frame_mode) {
    const bool ph = PressedHovered();
    const bool checked = mode_ > 0 && value_;
    const bool held = mode_ > 0 && held_down_;
    const auto face = static_cast<OleColor>(derived_.FaceColor);
    OleColor fill;
    if (mode_ == 0)
        fill = ph ? static_cast<OleColor>(derived_.PressedFaceColor) : face;
    else
        fill = checked ? static_cast<OleColor>(derived_.CheckedFaceColor) : face;
    OleColor gradient_end = fill;
    if (gradient_mode_ != 0 && !value_) {
        gradient_end = sh(translate_color(gradient_color_), 31);
        if (mode_ == 0 && ph) fill = face;
    }
    OleColor focus = checked ? sh(0x808080, -32) : sh(static_cast<uint32_t>(fill), -64);
    OleColor text;
    if (enabled_) {
        text = (mode_ == 0 && ph) || checked ? face : rgb(fore_color_);
    } else if (checked) {
        text = sb(static_cast<uint32_t>(focus), -32);
    } else {
        text = mode_ > 0 ? kGrey : kNoColor;
    }
    PaintFaceBackground(fill, draw_state, frame_mode, gradient_end, static_cast<OleColor>(derived_.HoverFaceColor));
    if (frame_mode == 0) return;
    DrawCaption(fill, text, value_, true);
    if (button_shape_ >= 4) {
        if (button_shape_ < 6 || (button_shape_ == 6 && !hover_active_ && !ph))
            frame_mode = 1;
        else
            cols[12] = kBlack;
        return;
    }
    if (checked || held) draw_state = value_ ? 2 : 0;
    const auto f = static_cast<uint32_t>(fill);
    const OleColor outer = sb(f, -64);
    if (draw_state == 2) {
        set_rings(cols, 1, kWhite, kWhite, sb(f, -16), sb(f, -16));
        set_rings(cols, 5, sb(f, -32), sb(f, -32), sb(f, -16), sb(f, -16));
    } else {
        set_rings(cols, 1, kWhite, kWhite, sb(f, 31), sb(f, 31));
        set_rings(cols, 5, sb(f, 31), sb(f, 31), outer, outer);
    }
    set_rings(cols, 9, outer, outer, outer, outer);
    DrawEdges(pts, cols, -1);
    const int W = width_;
    const int H = height_;
    if (face_left_ == 0) {
        surface_.set_pixel(3, 3, kWhite);
        surface_.set_pixel(1, H - 3, outer);
        surface_.set_pixel(2, 2, kWhite);
        surface_.set_pixel(1, H - 2, outer);
        surface_.set_pixel(1, 1, outer);
    }
    if (W == face_right_) {
        surface_.set_pixel(W - 4, 3, kWhite);
        surface_.set_pixel(W - 2, H - 3, outer);
        surface_.set_pixel(W - 3, 2, kWhite);
        surface_.set_pixel(W - 2, H - 2, outer);
        surface_.set_pixel(W - 2, 1, outer);
    }
    frame_mode = 1;
    DrawFocusMark(focus, value_, false, pts);
}

}  // namespace tuner
