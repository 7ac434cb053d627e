#include "platform/canvas_dotted_line.h"

#include <cstdlib>

namespace tuner {

void dotted_line(Canvas& canvas, int x1, int y1, int x2, int y2, OleColor c) {
    if (c == kNoColor) return;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    bool on = true;
    while (!(x == x2 && y == y2)) {
        if (on) canvas.set_pixel(x, y, c);
        on = !on;
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

}  // namespace tuner
