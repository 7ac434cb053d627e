#include "platform/canvas_xor.h"

namespace tuner {

void xor_pixel(Canvas& canvas, int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) return;
    if (canvas.clip() && !canvas.clip()->contains(x, y)) return;
    const QRgb mask = qRgb(red_of(rgb), green_of(rgb), blue_of(rgb)) & 0x00FFFFFFu;
    QImage& img = canvas.image();
    img.setPixel(x, y, img.pixel(x, y) ^ mask);
}

void xor_line(Canvas& canvas, int x1, int y1, int x2, int y2, uint32_t rgb) {
    Canvas::for_each_line_pixel(x1, y1, x2, y2, [&](int x, int y) { xor_pixel(canvas, x, y, rgb); });
}

}  // namespace tuner
