// Exclusive-or pen drawing on a Canvas: every pixel painted is combined with
// the surface by XOR, so drawing the same thing twice restores the surface.
// Used for hover highlights that are taken away by drawing them again.
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace tuner {

// XORs one pixel with an RGB value (0x00BBGGRR); outside the surface or the
// clip nothing happens.
void xor_pixel(Canvas& canvas, int x, int y, uint32_t rgb);

// Line from (x1,y1) towards (x2,y2) in XOR mode; like Canvas::line, the end
// point is not painted.
void xor_line(Canvas& canvas, int x1, int y1, int x2, int y2, uint32_t rgb);

}  // namespace tuner
