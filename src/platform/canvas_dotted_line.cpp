#include "platform/canvas_dotted_line.h"

namespace tuner {

void dotted_line(Canvas& canvas, int x1, int y1, int x2, int y2, OleColor c) {
    if (c == kNoColor) return;
    bool on = true;
    Canvas::for_each_line_pixel(x1, y1, x2, y2, [&](int x, int y) {
        if (on) canvas.set_pixel(x, y, c);
        on = !on;
    });
}

}  // namespace tuner
