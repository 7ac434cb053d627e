#include "platform/canvas_pen.h"

#include <QPainter>
#include <QPen>

namespace tuner {

void wide_line(Canvas& canvas, int x1, int y1, int x2, int y2, int width, OleColor c) {
    if (width <= 1) {
        if (c != kNoColor) canvas.line(x1, y1, x2, y2, c);
        return;
    }
    wide_polyline(canvas, {QPoint(x1, y1), QPoint(x2, y2)}, width, c);
}

void wide_polyline(Canvas& canvas, const std::vector<QPoint>& points, int width, OleColor c) {
    if (c == kNoColor || canvas.empty() || points.empty()) return;
    if (width <= 1) {
        canvas.polyline(points, c);
        return;
    }
    QPainter p(&canvas.image());
    p.setRenderHint(QPainter::Antialiasing, false);
    if (canvas.clip()) p.setClipRegion(canvas.clip()->qregion());
    QPen pen(to_qcolor(c));
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.drawPolyline(points.data(), static_cast<int>(points.size()));
}

namespace {

// One ring: top and left edge in `tl`, bottom and right edge in `br`.
void ring(Canvas& cv, int l, int t, int r, int b, OleColor tl, OleColor br) {
    if (r - l < 1 || b - t < 1) return;
    cv.fill_rect(l, t, r, t + 1, tl);
    cv.fill_rect(l, t, l + 1, b, tl);
    cv.fill_rect(l, b - 1, r, b, br);
    cv.fill_rect(r - 1, t, r, b, br);
}

}  // namespace

void draw_edge(Canvas& canvas, int left, int top, int right, int bottom, unsigned code) {
    if (code & edge::raised_outer) ring(canvas, left, top, right, bottom, kSys3DLight, kSys3DDarkShadow);
    if (code & edge::sunken_outer) ring(canvas, left, top, right, bottom, kSysButtonShadow, kSysButtonHighlight);
    const bool outer = (code & (edge::raised_outer | edge::sunken_outer)) != 0;
    const int d = outer ? 1 : 0;
    if (code & edge::raised_inner)
        ring(canvas, left + d, top + d, right - d, bottom - d, kSysButtonHighlight, kSysButtonShadow);
    if (code & edge::sunken_inner)
        ring(canvas, left + d, top + d, right - d, bottom - d, kSys3DDarkShadow, kSys3DLight);
}

}  // namespace tuner
