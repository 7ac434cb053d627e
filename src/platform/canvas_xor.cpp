#include "platform/canvas_xor.h"

#include <algorithm>
#include <cstdlib>

namespace tuner {

void xor_pixel(Canvas& canvas, int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) return;
    if (canvas.clip() && !canvas.clip()->contains(x, y)) return;
    const QRgb mask = qRgb(red_of(rgb), green_of(rgb), blue_of(rgb)) & 0x00FFFFFFu;
    QImage& img = canvas.image();
    img.setPixel(x, y, img.pixel(x, y) ^ mask);
}

void xor_line(Canvas& canvas, int x1, int y1, int x2, int y2, uint32_t rgb) {
    // The plain line marks its pixels on a scratch surface, so an XOR line
    // covers exactly the pixels a plain line of the same ends would.
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    Canvas marks(std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    marks.line(x1 - left, y1 - top, x2 - left, y2 - top, 0);
    for (int y = 0; y < marks.height(); ++y) {
        for (int x = 0; x < marks.width(); ++x) {
            if (marks.pixel(x, y) == 0) xor_pixel(canvas, x + left, y + top, rgb);
        }
    }
}

}  // namespace tuner
