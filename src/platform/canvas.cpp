#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include <QFontMetrics>
#include <QPainter>

namespace tuner {
namespace {

QRgb qrgb_of(OleColor c) {
    const uint32_t rgb = translate_color(c);
    return qRgb(red_of(rgb), green_of(rgb), blue_of(rgb));
}

uint32_t blend(uint32_t a, uint32_t b, int num, int den) {
    auto mix = [&](int x, int y) { return x + (y - x) * num / den; };
    return make_rgb(mix(red_of(a), red_of(b)), mix(green_of(a), green_of(b)), mix(blue_of(a), blue_of(b)));
}

}  // namespace

void Canvas::resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    image_ = QImage(w, h, QImage::Format_RGB32);
    image_.fill(Qt::white);
}

bool Canvas::visible(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return false;
    return !clip_ || clip_->contains(x, y);
}

bool Canvas::word_pixels() const {
    // Opaque colours are stored as 0xFFRRGGBB in all three formats.
    switch (image_.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied: return true;
        default: return false;
    }
}

QRgb* Canvas::row(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }

void Canvas::plot(int x, int y, QRgb rgb) {
    if (!visible(x, y)) return;
    if (word_pixels())
        row(y)[x] = rgb | 0xFF000000u;
    else
        image_.setPixel(x, y, rgb);
}

void Canvas::for_each_visible_span(int left, int top, int right, int bottom,
                                   const std::function<void(int y, int x0, int x1)>& span) {
    const QRect area = QRect(0, 0, width(), height()).intersected(QRect(left, top, right - left, bottom - top));
    if (area.isEmpty()) return;
    auto rows = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) span(y, r.left(), r.right() + 1);
    };
    if (!clip_) {
        rows(area);
        return;
    }
    for (const QRect& rc : clip_->qregion()) {
        const QRect part = rc.intersected(area);
        if (!part.isEmpty()) rows(part);
    }
}

void Canvas::fill_rect(int left, int top, int right, int bottom, OleColor c) {
    if (c == kNoColor || right <= left || bottom <= top) return;
    const QRgb rgb = qrgb_of(c) | 0xFF000000u;
    if (!word_pixels()) {
        for_each_visible_span(left, top, right, bottom, [&](int y, int x0, int x1) {
            for (int x = x0; x < x1; ++x) image_.setPixel(x, y, rgb);
        });
        return;
    }
    for_each_visible_span(left, top, right, bottom, [&](int y, int x0, int x1) {
        QRgb* line = row(y);
        std::fill(line + x0, line + x1, rgb);
    });
}

void Canvas::frame_rect(int left, int top, int right, int bottom, OleColor c) {
    if (right <= left || bottom <= top) return;
    fill_rect(left, top, right, top + 1, c);
    fill_rect(left, bottom - 1, right, bottom, c);
    fill_rect(left, top, left + 1, bottom, c);
    fill_rect(right - 1, top, right, bottom, c);
}

void Canvas::fill_region(const Region& r, OleColor c) {
    if (c == kNoColor) return;
    for (const QRect& rc : r.qregion()) fill_rect(rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1, c);
}

void Canvas::frame_region(const Region& r, OleColor c) {
    if (c == kNoColor) return;
    const QRgb rgb = qrgb_of(c);
    const QRect b = r.bounds();
    for (int y = b.top(); y <= b.bottom(); ++y) {
        for (int x = b.left(); x <= b.right(); ++x) {
            if (!r.contains(x, y)) continue;
            if (!r.contains(x - 1, y) || !r.contains(x + 1, y) || !r.contains(x, y - 1) || !r.contains(x, y + 1)) {
                plot(x, y, rgb);
            }
        }
    }
}

void Canvas::set_pixel(int x, int y, OleColor c) {
    if (c == kNoColor) return;
    plot(x, y, qrgb_of(c));
}

uint32_t Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    const QRgb p = image_.pixel(x, y);
    return make_rgb(qRed(p), qGreen(p), qBlue(p));
}

void Canvas::line(int x1, int y1, int x2, int y2, OleColor c) {
    if (c == kNoColor) return;
    const QRgb rgb = qrgb_of(c);
    for_each_line_pixel(x1, y1, x2, y2, [&](int x, int y) { plot(x, y, rgb); });
}

void Canvas::line_to(int x, int y, OleColor c) {
    line(pen_.x(), pen_.y(), x, y, c);
    pen_ = QPoint(x, y);
}

void Canvas::polyline(const std::vector<QPoint>& points, OleColor c) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), c);
    }
}

void Canvas::polygon(const std::vector<QPoint>& points, OleColor fill, OleColor outline) {
    if (points.size() < 2) return;
    if (fill != kNoColor) fill_region(Region::polygon(points), fill);
    if (outline != kNoColor) {
        std::vector<QPoint> closed = points;
        closed.push_back(points.front());
        polyline(closed, outline);
    }
}

void Canvas::ellipse(int left, int top, int right, int bottom, OleColor fill, OleColor outline) {
    const Region r = Region::ellipse(left, top, right, bottom);
    if (fill != kNoColor) fill_region(r, fill);
    if (outline != kNoColor) frame_region(r, outline);
}

void Canvas::round_rect(int left, int top, int right, int bottom, int w, int h, OleColor fill, OleColor outline) {
    const Region r = Region::round_rect(left, top, right, bottom, w, h);
    if (fill != kNoColor) fill_region(r, fill);
    if (outline != kNoColor) frame_region(r, outline);
}

void Canvas::gradient_v(int left, int top, int right, int bottom, OleColor from, OleColor to) {
    const int h = bottom - top;
    if (h <= 0 || right <= left) return;
    const uint32_t a = translate_color(from);
    const uint32_t b = translate_color(to);
    for (int i = 0; i < h; ++i) {
        const uint32_t rgb = h == 1 ? a : blend(a, b, i, h - 1);
        fill_rect(left, top + i, right, top + i + 1, static_cast<OleColor>(rgb));
    }
}

void Canvas::gradient_h(int left, int top, int right, int bottom, OleColor from, OleColor to) {
    const int w = right - left;
    if (w <= 0 || bottom <= top) return;
    const uint32_t a = translate_color(from);
    const uint32_t b = translate_color(to);
    for (int i = 0; i < w; ++i) {
        const uint32_t rgb = w == 1 ? a : blend(a, b, i, w - 1);
        fill_rect(left + i, top, left + i + 1, bottom, static_cast<OleColor>(rgb));
    }
}

void Canvas::xor_rect(int left, int top, int right, int bottom, uint32_t rgb) {
    const QRgb x = qRgb(red_of(rgb), green_of(rgb), blue_of(rgb)) & 0x00FFFFFF;
    if (right <= left || bottom <= top) return;
    const bool direct = word_pixels();
    for_each_visible_span(left, top, right, bottom, [&](int y, int x0, int x1) {
        if (direct) {
            QRgb* line = row(y);
            for (int xx = x0; xx < x1; ++xx) line[xx] ^= x;
        } else {
            for (int xx = x0; xx < x1; ++xx) image_.setPixel(xx, y, image_.pixel(xx, y) ^ x);
        }
    });
}

void Canvas::draw_focus_rect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    // Every other pixel of the frame, inverted.
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0 && visible(x, y)) image_.setPixel(x, y, image_.pixel(x, y) ^ 0x00FFFFFF);
    };
    for (int x = left; x < right; ++x) {
        dot(x, top);
        if (bottom - 1 != top) dot(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        dot(left, y);
        if (right - 1 != left) dot(right - 1, y);
    }
}

QString strip_mnemonic(const QString& text, int* underline_pos) {
    QString out;
    int pos = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
                continue;
            }
            if (i + 1 < text.size()) pos = static_cast<int>(out.size());
            continue;
        }
        out += text[i];
    }
    if (underline_pos) *underline_pos = pos;
    return out;
}

int Canvas::draw_text(const QRect& rect, const QString& text, const FontSpec& font, OleColor color, unsigned flags) {
    if (empty() || color == kNoColor) return 0;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (clip_) p.setClipRegion(clip_->qregion());
    if (!(flags & text_flags::no_clip)) p.setClipRect(rect, clip_ ? Qt::IntersectClip : Qt::ReplaceClip);
    QFont qf = to_qfont(font);
    qf.setStyleStrategy(QFont::PreferDefault);
    p.setFont(qf);
    p.setPen(to_qcolor(color));
    int qt = 0;
    if (flags & text_flags::center)
        qt |= Qt::AlignHCenter;
    else if (flags & text_flags::right)
        qt |= Qt::AlignRight;
    else
        qt |= Qt::AlignLeft;
    if (flags & text_flags::vcenter)
        qt |= Qt::AlignVCenter;
    else if (flags & text_flags::bottom)
        qt |= Qt::AlignBottom;
    else
        qt |= Qt::AlignTop;
    if (flags & text_flags::word_break) qt |= Qt::TextWordWrap;
    if (flags & text_flags::single_line) qt |= Qt::TextSingleLine;
    QString shown = text;
    if (flags & text_flags::mnemonic) {
        qt |= Qt::TextShowMnemonic;
    } else {
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    if (flags & text_flags::end_ellipsis) {
        QFontMetrics fm(qf);
        QString plain = (flags & text_flags::mnemonic) ? strip_mnemonic(text) : text;
        if (fm.horizontalAdvance(plain) > rect.width()) {
            shown = fm.elidedText(plain, Qt::ElideRight, rect.width());
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        }
    }
    QRect bounding;
    p.drawText(rect, qt, shown, &bounding);
    return bounding.height();
}

QSize Canvas::text_extent(const QString& text, const FontSpec& font, bool mnemonic) {
    QFont qf = to_qfont(font);
    QFontMetrics fm(qf);
    const QString plain = mnemonic ? strip_mnemonic(text) : text;
    return QSize(fm.horizontalAdvance(plain), fm.height());
}

void Canvas::blit(const QImage& src, int x, int y, std::optional<uint32_t> mask_rgb) {
    if (src.isNull()) return;
    const QImage s = src.convertToFormat(QImage::Format_ARGB32);
    // Source pixels fully transparent or of the mask colour are skipped; the
    // rest are copied opaque.
    const std::optional<QRgb> mask =
        mask_rgb ? std::optional<QRgb>(qRgb(red_of(*mask_rgb), green_of(*mask_rgb), blue_of(*mask_rgb)) & 0xFFFFFFu)
                 : std::nullopt;
    for_each_visible_span(x, y, x + s.width(), y + s.height(), [&](int dy, int x0, int x1) {
        const QRgb* from = reinterpret_cast<const QRgb*>(s.constScanLine(dy - y)) - x;
        for (int dx = x0; dx < x1; ++dx) {
            const QRgb p = from[dx];
            if (qAlpha(p) == 0 || (mask && (p & 0xFFFFFFu) == *mask)) continue;
            if (word_pixels())
                row(dy)[dx] = p | 0xFF000000u;
            else
                image_.setPixel(dx, dy, p | 0xFF000000u);
        }
    });
}

void Canvas::stretch_blit(const QImage& src, const QRect& dst, std::optional<uint32_t> mask_rgb) {
    if (src.isNull() || dst.width() <= 0 || dst.height() <= 0) return;
    blit(src.scaled(dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation), dst.x(), dst.y(), mask_rgb);
}

}  // namespace tuner
