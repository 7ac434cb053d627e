// Dotted one-pixel lines on a Canvas, as a classic dotted cosmetic pen draws
// them: every other pixel along the line, starting with the first, the end
// point excluded like every canvas line.
#pragma once

#include "platform/canvas.h"

namespace tuner {

void dotted_line(Canvas& canvas, int x1, int y1, int x2, int y2, OleColor c);

}  // namespace tuner
