#include "buttons/button_layout.h"

#include <algorithm>
#include <cmath>

namespace tuner {
namespace {

void clip_to_margins(BoxRect& r, int left_limit, int right_limit, int height) {
    r.top = std::max(r.top, 4);
    r.left = std::max(r.left, left_limit);
    r.right = std::min(r.right, right_limit);
    r.bottom = std::min(r.bottom, height - 5);
    // On buttons too small for the margins the box collapses instead of turning inside out.
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

}  // namespace

QString CaptionDisplayText(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("||"), QStringLiteral("\r\n"));
    return text;
}

QSize FitPicture(int available_width, int available_height, int picture_width, int picture_height) {
    if (picture_width <= 0 || picture_height <= 0) return QSize(0, 0);
    const double aw = std::max(available_width, 0);
    const double ah = std::max(available_height, 0);
    const double scale = std::min(aw / picture_width, ah / picture_height);
    return QSize(static_cast<int>(std::nearbyint(picture_width * scale)),
                 static_cast<int>(std::nearbyint(picture_height * scale)));
}

LayoutResult LayoutCaption(const LayoutInput& in, bool with_picture, const TextMeasurer& measure) {
    const int sw = in.width;
    const int sh = in.height;
    const int fl = in.face_left;
    const int fr = in.face_right;

    // Text band by shape.
    int x0 = 0;
    int bw = fr;
    int r = sw;
    switch (in.shape) {
        case 1:
            x0 = fl - fl / 3 + 3;
            r = sw;
            bw = sw - x0;
            break;
        case 2:
            x0 = 0;
            r = bw = (sw - fr) / 3 + fr;
            break;
        case 3:
            x0 = fl - fl / 3 + 3;
            r = (sw - fr) / 3 + fr;
            bw = r - x0;
            break;
        case 7:
        case 8:
            x0 = 3;
            r = bw = fr - 3;
            break;
        default: break;
    }

    // Picture slots beside or above/below the caption.
    const bool has_picture = in.picture_width + in.picture_height >= 1;
    const int cell = in.picture_cell;
    int pl = 0, pr = 0, pt = 0, pb = 0;
    if (has_picture && cell < 33) {
        switch (in.picture_align) {
            case 0:
            case 1: pl = cell; break;
            case 2:
            case 3: pr = cell; break;
            case 4: pt = cell; break;
            case 5: pb = cell; break;
            default: break;
        }
    }
    const bool side_slot = in.picture_align >= 0 && in.picture_align <= 3 && (pl || pr);
    const bool vertical_slot = (in.picture_align == 4 || in.picture_align == 5) && (pt || pb);

    // Measuring.
    int tw = 0, th = 0;
    const bool has_caption = !in.caption.isEmpty();
    if (has_caption) {
        const int box_w = bw - 8 - (side_slot ? pl + pr : 0);
        const int box_h = sh - 8 - (vertical_slot ? cell : 0);
        const QSize s = measure(CaptionDisplayText(in.caption), std::max(box_w, 0), std::max(box_h, 0));
        tw = s.width();
        th = s.height();
        if (in.caption_style != 0) {
            tw += 2;
            th += 2;
        }
    }

    // Caption box, moved sideways by the alignment.
    BoxRect cap{0, 0, tw, th};
    if (has_caption) {
        int left = 0;
        switch (in.caption_align) {
            case 0: left = x0 + 4 + pl + (pl ? 4 : 0); break;
            case 1: left = r - pr - 4 - tw - (pr ? 4 : 0); break;
            default:
                if (pl && in.picture_align == 1) {
                    left = (bw - (tw + pl + 4)) / 2 + x0 + 4 + pl;
                } else if (pr && in.picture_align == 3) {
                    left = (bw - (tw + pr + 4)) / 2 + x0;
                } else {
                    left = (bw - pl - pr - tw) / 2 + x0 + pl;
                }
                break;
        }
        cap.offset(left, 0);
    }

    // Vertical placement and picture box.
    BoxRect pic;
    if (!has_picture) {
        cap.offset(0, (sh - th) / 2);
    } else {
        int px = 0, py = 0;
        switch (in.picture_align) {
            case 0: px = x0 + 4; break;
            case 1: px = has_caption ? cap.left - 4 - pl : x0 + 4; break;
            case 2: px = r - 4 - pr; break;
            case 3: px = has_caption ? cap.right + 4 : r - 4 - pr; break;
            case 4:
                py = (sh - (th + pt)) / 2;
                cap.offset(0, py + 2 + pt);
                break;
            case 5:
                py = (sh - (th + pb)) / 2 + th + 4;
                cap.offset(0, (sh - (th + pb)) / 2 + 2);
                break;
            default: break;
        }
        if (in.picture_align == 4 || in.picture_align == 5) {
            px = (bw - cell) / 2 + x0;
        } else {
            cap.offset(0, (sh - th) / 2);
            py = (sh - cell) / 2;
        }
        pic = BoxRect{px, py, px + cell, py + cell};
    }

    clip_to_margins(cap, x0 + 4, r - 4, sh);

    // Picture box by cell size.
    if (cell == 40) {
        pic = in.shape == 6 ? BoxRect{1, 1, sw - 1, sh - 1} : BoxRect{3, 3, sw - 3, sh - 3};
        with_picture = true;
    } else if (cell == 48 && in.shape < 7 && has_picture) {
        const QSize fit = FitPicture(bw - 12, sh - 12, in.picture_width, in.picture_height);
        const int px = (bw - fit.width()) / 2 + x0;
        const int py = (sh - fit.height()) / 2;
        pic = BoxRect{px, py, px + fit.width(), py + fit.height()};
        with_picture = true;
    } else if (cell >= 33 && (in.shape == 7 || in.shape == 8)) {
        pic = BoxRect{0, 0, sw, sh};
    } else if (has_picture) {
        clip_to_margins(pic, x0 + 4, r - 4, sh);
    }
    pic.right = std::max(pic.right, pic.left);
    pic.bottom = std::max(pic.bottom, pic.top);

    return LayoutResult{cap, pic, with_picture};
}

}  // namespace tuner
