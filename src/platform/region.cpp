#include "platform/region.h"

#include <QPolygon>

namespace tuner {

Region Region::rect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return Region();
    return Region(QRegion(left, top, right - left, bottom - top));
}

Region Region::polygon(const std::vector<QPoint>& points) {
    if (points.size() < 3) return Region();
    QPolygon poly;
    for (const QPoint& p : points) poly << p;
    return Region(QRegion(poly, Qt::OddEvenFill));
}

Region Region::ellipse(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return Region();
    return Region(QRegion(left, top, right - left, bottom - top, QRegion::Ellipse));
}

Region Region::round_rect(int left, int top, int right, int bottom, int w, int h) {
    if (right <= left || bottom <= top) return Region();
    const int width = right - left;
    const int height = bottom - top;
    w = std::min(std::max(w, 0), width);
    h = std::min(std::max(h, 0), height);
    if (w < 2 || h < 2) return rect(left, top, right, bottom);
    // Middle band plus the two side bands, with elliptic corners.
    QRegion r(left + w / 2, top, width - 2 * (w / 2), height);
    r += QRegion(left, top + h / 2, width, height - 2 * (h / 2));
    r += QRegion(left, top, w, h, QRegion::Ellipse);
    r += QRegion(right - w, top, w, h, QRegion::Ellipse);
    r += QRegion(left, bottom - h, w, h, QRegion::Ellipse);
    r += QRegion(right - w, bottom - h, w, h, QRegion::Ellipse);
    return Region(r);
}

Region Region::combined(const Region& other, Op op) const {
    switch (op) {
        case Op::Or: return Region(r_.united(other.r_));
        case Op::And: return Region(r_.intersected(other.r_));
        case Op::Diff: return Region(r_.subtracted(other.r_));
        case Op::Xor: return Region(r_.xored(other.r_));
    }
    return *this;
}

}  // namespace tuner
