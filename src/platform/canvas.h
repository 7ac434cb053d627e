// The off-screen drawing surface every owner-drawn control paints into: a
// QImage painted without antialiasing, with the classic pixel rules —
// rectangles are integer fills with right/bottom exclusive, and a line never
// paints its end point. Colours are OLE values. The widget blits image().
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "platform/font_spec.h"
#include "platform/ole_color.h"
#include "platform/region.h"

namespace tuner {

// Text placement flags for draw_text.
namespace text_flags {
constexpr unsigned left = 0x0;
constexpr unsigned center = 0x1;
constexpr unsigned right = 0x2;
constexpr unsigned vcenter = 0x4;
constexpr unsigned bottom = 0x8;
constexpr unsigned single_line = 0x20;
constexpr unsigned word_break = 0x10;
constexpr unsigned no_clip = 0x100;
constexpr unsigned end_ellipsis = 0x8000;
// Draws "&x" as an underlined x and "&&" as "&".
constexpr unsigned mnemonic = 0x10000;
}  // namespace text_flags

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height) { resize(width, height); }

    // Resizes to w x h (negative sizes count as 0); the content is cleared.
    void resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool empty() const { return image_.isNull() || width() == 0 || height() == 0; }

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

    // Clip all following drawing to a region (nullopt: no clip).
    void set_clip(std::optional<Region> clip) { clip_ = std::move(clip); }
    const std::optional<Region>& clip() const { return clip_; }

    void clear(OleColor c) { fill_rect(0, 0, width(), height(), c); }

    // Fills left..right-1 x top..bottom-1.
    void fill_rect(int left, int top, int right, int bottom, OleColor c);
    // One-pixel frame just inside the rectangle.
    void frame_rect(int left, int top, int right, int bottom, OleColor c);
    void fill_region(const Region& r, OleColor c);
    // One-pixel outline of a region's boundary pixels, drawn inside it.
    void frame_region(const Region& r, OleColor c);

    void set_pixel(int x, int y, OleColor c);
    // 0x00BBGGRR of a pixel, or 0 outside the surface.
    uint32_t pixel(int x, int y) const;

    // Line from (x1,y1) towards (x2,y2); the end point itself is not painted.
    void line(int x1, int y1, int x2, int y2, OleColor c);
    // Visits the pixels of that line in order, the end point excluded; every
    // kind of line (plain, dotted, XOR) walks the same pixels.
    template <typename Visit>
    static void for_each_line_pixel(int x1, int y1, int x2, int y2, Visit visit);
    void move_to(int x, int y) { pen_ = QPoint(x, y); }
    void line_to(int x, int y, OleColor c);
    QPoint current_position() const { return pen_; }
    // Segments through the points; only the very last point is left out.
    void polyline(const std::vector<QPoint>& points, OleColor c);
    // Filled polygon (even-odd), optionally outlined.
    void polygon(const std::vector<QPoint>& points, OleColor fill, OleColor outline = kNoColor);
    // Ellipse inscribed in the rectangle; kNoColor skips fill or outline.
    void ellipse(int left, int top, int right, int bottom, OleColor fill, OleColor outline);
    void round_rect(int left, int top, int right, int bottom, int w, int h, OleColor fill, OleColor outline);

    // Gradients over the rectangle, from `from` to `to`: vertical goes top to
    // bottom, horizontal left to right. A one-pixel extent paints `from`.
    void gradient_v(int left, int top, int right, int bottom, OleColor from, OleColor to);
    void gradient_h(int left, int top, int right, int bottom, OleColor from, OleColor to);

    // XOR of every pixel in the rectangle with an RGB value (drawn twice, it
    // restores the surface).
    void xor_rect(int left, int top, int right, int bottom, uint32_t rgb);
    // Dotted focus rectangle, XOR-drawn (twice restores the surface).
    void draw_focus_rect(int left, int top, int right, int bottom);

    // Text in the rectangle; returns the height drawn.
    int draw_text(const QRect& rect, const QString& text, const FontSpec& font, OleColor color, unsigned flags);
    // Size of a single-line text in a font (mnemonic ampersands removed when asked).
    static QSize text_extent(const QString& text, const FontSpec& font, bool mnemonic = false);

    // Copies an image at (x, y); with a mask colour, pixels of that colour are skipped.
    void blit(const QImage& src, int x, int y, std::optional<uint32_t> mask_rgb = std::nullopt);
    // Scales src into the destination rectangle, skipping the mask colour.
    void stretch_blit(const QImage& src, const QRect& dst, std::optional<uint32_t> mask_rgb = std::nullopt);

private:
    bool visible(int x, int y) const;
    void plot(int x, int y, QRgb rgb);
    // True when pixels are 32-bit words written straight into the scan lines.
    bool word_pixels() const;
    QRgb* row(int y);
    // The rows of the rectangle that lie on the surface and inside the clip,
    // as spans x0..x1-1 of row y.
    void for_each_visible_span(int left, int top, int right, int bottom,
                               const std::function<void(int y, int x0, int x1)>& span);

    QImage image_;
    std::optional<Region> clip_;
    QPoint pen_;
};

template <typename Visit>
void Canvas::for_each_line_pixel(int x1, int y1, int x2, int y2, Visit visit) {
    // Bresenham, stopping before the end point.
    const int dx = x2 > x1 ? x2 - x1 : x1 - x2;
    const int dy = -(y2 > y1 ? y2 - y1 : y1 - y2);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (!(x == x2 && y == y2)) {
        visit(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Text with the mnemonic ampersands resolved: "&&" becomes "&", a single "&"
// is dropped. underline_pos receives the index of the access character in
// the result (or -1).
QString strip_mnemonic(const QString& text, int* underline_pos = nullptr);

}  // namespace tuner
