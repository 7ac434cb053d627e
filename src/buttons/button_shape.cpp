#include "buttons/button_shape.h"

#include <cstdlib>

namespace tuner {
namespace {

using Op = Region::Op;

void cut_triangle(Region& r, QPoint a, QPoint b, QPoint c) { r.combine(Region::polygon({a, b, c}), Op::Diff); }

void cut_pixel(Region& r, int x, int y) { r.combine(Region::rect(x, y, x + 1, y + 1), Op::Diff); }

// Corner cuts of the straight sides by face style.
void cut_corners(Region& r, int style, bool enabled, int w, int h, bool left, bool right) {
    if (style == 2 || style == 7) {
        if (left) {
            cut_triangle(r, {0, 0}, {2, 0}, {0, 2});
            cut_triangle(r, {0, h}, {3, h}, {0, h - 3});
        }
        if (right) {
            cut_triangle(r, {w, 0}, {w - 2, 0}, {w, 2});
            cut_triangle(r, {w, h}, {w - 3, h}, {w, h - 3});
        }
    } else if (style == 1) {
        if (left) {
            cut_pixel(r, 0, 0);
            cut_pixel(r, 0, h - 1);
        }
        if (right) {
            cut_pixel(r, w - 1, h - 1);
            cut_pixel(r, w - 1, 0);
        }
    } else if (style == 3 && enabled) {
        if (left) cut_pixel(r, 0, h - 1);
        if (right) cut_pixel(r, w - 1, 0);
    }
}

QImage scaled_rgb(const QImage& picture, int w, int h) {
    return picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32);
}

// The pixels of `img` that differ from `key` by more than 3 in red, green or
// blue, as rectangles built row by row, offset by (dx, dy).
Region opaque_region(const QImage& img, QRgb key, int dx, int dy) {
    auto transparent = [&](QRgb p) {
        return std::abs(qRed(p) - qRed(key)) <= 3 && std::abs(qGreen(p) - qGreen(key)) <= 3 &&
               std::abs(qBlue(p) - qBlue(key)) <= 3;
    };
    QRegion acc;
    for (int y = 0; y < img.height(); ++y) {
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && transparent(img.pixel(x, y))) ++x;
            const int start = x;
            while (x < img.width() && !transparent(img.pixel(x, y))) ++x;
            if (x > start) acc += QRect(start + dx, y + dy, x - start, 1);
        }
    }
    return Region(acc);
}

// The part of the picture within `box`, `by` pixels smaller on every side,
// so that its region sits `by` pixels inside the box.
Region inset_region(const QImage& img, QRgb key, const QRect& box, int by) {
    const int w = box.width() - 2 * by, h = box.height() - 2 * by;
    if (w <= 0 || h <= 0) return Region();
    return opaque_region(scaled_rgb(img.copy(box), w, h), key, box.left() + by, box.top() + by);
}

}  // namespace

int SlantWidth(int height) { return height / 2; }

Region PictureRegion(const QImage& picture, int w, int h, int dx, int dy) {
    if (picture.isNull() || w <= 0 || h <= 0) return Region();
    const QImage img = scaled_rgb(picture, w, h);
    return opaque_region(img, img.pixel(0, 0), dx, dy);
}

ShapeResult BuildButtonShape(const ShapeInput& in) {
    const int w = in.width;
    const int h = in.height;
    ShapeResult res;
    res.face_left = 0;
    res.face_right = w;
    switch (in.shape) {
        case 1:
        case 2:
        case 3: {
            const int s = SlantWidth(h);
            const bool slant_left = in.shape != 2;
            const bool slant_right = in.shape != 1;
            if (slant_left) res.face_left = s;
            if (slant_right) res.face_right = w - s;
            const std::vector<QPoint> pts = {{0, 0}, {slant_right ? w - s : w, 0}, {w, h}, {slant_left ? s : 0, h}};
            res.window = Region::polygon(pts);
            cut_corners(res.window, in.style, in.enabled, w, h, !slant_left, !slant_right);
            break;
        }
        case 4:
        case 5:
        case 6:
            res.window = Region::ellipse(0, 0, w, h);
            res.clip = Region::ellipse(1, 1, w - 1, h - 1);
            res.inner = Region::ellipse(2, 2, w - 2, h - 2);
            break;
        case 7:
        case 8:
            if (!in.picture || in.picture->isNull() || in.picture->width() == 0 || in.picture->height() == 0) {
                res.window = Region::rect(0, 0, w, h);
                res.built = false;
                break;
            }
            if (w <= 0 || h <= 0) {
                res.clip = Region();
                res.inner = Region();
                break;
            }
            {
                // The auxiliary regions sit one and two pixels inside the box
                // of the picture region, which a picture with a transparent
                // margin has away from the button's corner.
                const QImage img = scaled_rgb(*in.picture, w, h);
                const QRgb key = img.pixel(0, 0);
                res.window = opaque_region(img, key, 0, 0);
                const QRect box = res.window.bounds();
                res.clip = inset_region(img, key, box, 1);
                res.inner = inset_region(img, key, box, 2);
            }
            break;
        default:
            res.window = Region::rect(0, 0, w, h);
            cut_corners(res.window, in.style, in.enabled, w, h, true, true);
            break;
    }
    return res;
}

QPoint NudgeOffset(int custom_click) {
    static const QPoint kOffsets[9] = {{0, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}};
    if (custom_click < 0 || custom_click > 8) return {0, 0};
    return kOffsets[custom_click];
}

}  // namespace tuner
