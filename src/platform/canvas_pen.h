// Wide pens and three-dimensional edges for the canvas: lines drawn with a
// pen wider than one pixel (round ends, as a classic geometric pen), and the
// sunken/raised frames drawn around grooves and panels.
#pragma once

#include "platform/canvas.h"

namespace tuner {

// Line of the given pen width from (x1,y1) to (x2,y2). Width 1 or less is
// the canvas's own one-pixel line (end point excluded); wider pens paint a
// round-ended stroke centred on the line, without antialiasing.
void wide_line(Canvas& canvas, int x1, int y1, int x2, int y2, int width, OleColor c);

// Joined segments through the points with the given pen width; width 1
// or less uses the canvas's own one-pixel lines (only the last point is
// left out).
void wide_polyline(Canvas& canvas, const std::vector<QPoint>& points, int width, OleColor c);

// Edge parts of a frame, combinable.
namespace edge {
constexpr unsigned raised_outer = 0x1;
constexpr unsigned sunken_outer = 0x2;
constexpr unsigned raised_inner = 0x4;
constexpr unsigned sunken_inner = 0x8;
}  // namespace edge

// Frames left..right-1 x top..bottom-1 with the edge parts in `code`: the
// outer ring first, the inner ring one pixel inside it, in the system's
// shadow, dark-shadow, light and highlight colours. Code 0 draws nothing.
void draw_edge(Canvas& canvas, int left, int top, int right, int bottom, unsigned code);

}  // namespace tuner
