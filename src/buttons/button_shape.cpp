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

}  // namespace

int SlantWidth(int height) { return height / 2; }

Region PictureRegion(const QImage& picture, int w, int h, int dx, int dy) {
    Region out;
    if (picture.isNull() || w <= 0 || h <= 0) return out;
    const QImage img =
        picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32);
    const QRgb key = img.pixel(0, 0);
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
            res.window = PictureRegion(*in.picture, w, h);
            res.clip = PictureRegion(*in.picture, w - 2, h - 2, 1, 1);
            res.inner = PictureRegion(*in.picture, w - 4, h - 4, 2, 2);
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
