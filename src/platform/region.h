// Pixel regions built from rectangles and polygons, for window shapes
// (setMask), clipping and hit tests. Rectangles follow the classic rule:
// left/top inclusive, right/bottom exclusive.
#pragma once

#include <vector>

#include <QPoint>
#include <QRegion>

namespace tuner {

class Region {
public:
    enum class Op { Or, And, Diff, Xor };

    Region() = default;
    explicit Region(const QRegion& r) : r_(r) {}

    static Region rect(int left, int top, int right, int bottom);
    // Filled polygon, alternate (even-odd) fill.
    static Region polygon(const std::vector<QPoint>& points);
    static Region ellipse(int left, int top, int right, int bottom);
    // Rectangle with corners rounded by an ellipse of w x h.
    static Region round_rect(int left, int top, int right, int bottom, int w, int h);

    Region combined(const Region& other, Op op) const;
    void combine(const Region& other, Op op) { *this = combined(other, op); }
    void offset(int dx, int dy) { r_.translate(dx, dy); }

    bool contains(int x, int y) const { return r_.contains(QPoint(x, y)); }
    bool empty() const { return r_.isEmpty(); }
    QRect bounds() const { return r_.boundingRect(); }
    const QRegion& qregion() const { return r_; }

    bool operator==(const Region& o) const { return r_ == o.r_; }

private:
    QRegion r_;
};

}  // namespace tuner
