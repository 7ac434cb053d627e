#include "controls/limiter.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "platform/canvas_pen.h"

namespace tuner {
namespace {

const FontSpec kOffFont{"Tahoma", 12, true};
constexpr int kOffBoxW = 44;
constexpr int kOffBoxH = 22;

int px(double v) { return static_cast<int>(std::nearbyint(std::clamp(v, -20000.0, 20000.0))); }

}  // namespace

Limiter::Limiter(QWidget* parent) : CanvasWidget(parent) {
    // A click gives the curve the keyboard: the box edited before is left
    // (and commits) before the knob moves, so a value the knob sets is never
    // typed onto. The curve uses no keys; they do nothing while it has them.
    setFocusPolicy(Qt::ClickFocus);
    model_.events.output = [this](int16_t db) { emit output(db); };
    model_.events.redraw = [this] { update(); };
    resize(150, 150);
}

void Limiter::resizeEvent(QResizeEvent*) { model_.set_surface(width(), height()); }

void Limiter::paint_surface(Canvas& c) {
    if (model_.surface_w() != width() || model_.surface_h() != height()) model_.set_surface(width(), height());
    c.clear(back_);
    const auto X = [&](double db) { return px(model_.px_x(db)); };
    const auto Y = [&](double db) { return px(model_.px_y(db)); };
    for (int v = -50; v <= 0; v += 5) c.line(X(-40), Y(v), X(5) + 1, Y(v), line_);
    for (int v = -50; v <= 0; v += 5) c.line(X(v), Y(5), X(v), Y(-40) + 1, line_);
    std::vector<QPoint> pts;
    for (const auto& [x, y] : model_.curve_points()) pts.emplace_back(X(x), Y(y));
    wide_polyline(c, pts, 2, curve_);
    const auto k = model_.knob_rect();
    c.ellipse(k.left, k.top, k.right, k.bottom, kSysWindow, 0x80FF);
    if (model_.off_text_visible()) {
        const int l = (c.width() - kOffBoxW) / 2;
        const int t = (c.height() - kOffBoxH) / 2;
        c.fill_rect(l, t, l + kOffBoxW, t + kOffBoxH, back_);
        draw_edge(c, l, t, l + kOffBoxW, t + kOffBoxH, edge::sunken_outer | edge::sunken_inner);
        c.draw_text(QRect(l, t, kOffBoxW, kOffBoxH), QStringLiteral("OFF"), kOffFont, off_text_,
                    text_flags::center | text_flags::vcenter | text_flags::single_line);
    }
}

void Limiter::mousePressEvent(QMouseEvent* e) {
    model_.press(e->button() == Qt::LeftButton ? 1 : 0, e->position().x(), e->position().y());
}

void Limiter::mouseMoveEvent(QMouseEvent* e) {
    // The knob follows the left button alone: with another button held as
    // well, a move does nothing.
    model_.move(e->buttons() == Qt::LeftButton, e->position().x(), e->position().y());
}

void Limiter::read_properties(const PropertyBag& bag) {
    set_a__ui_biaoge_back_color(bag.read("a__ui_biaoge_back_color", static_cast<int32_t>(0x8000000Cu)));
    set_a__ui_biaoge_line_color(bag.read("a__ui_biaoge_line_color", int32_t{0x404040}));
    set_a__ui_Limiter_line_total_color(bag.read("a__ui_Limiter_line_total_color", int32_t{0xFFFF00}));
    set_a__ui_text_off_color(bag.read("a__ui_text_off_color", int32_t{0x404040}));
}

void Limiter::write_properties(PropertyBag& bag) const {
    bag.write("a__ui_biaoge_back_color", back_, static_cast<int32_t>(0x8000000Cu));
    bag.write("a__ui_biaoge_line_color", line_, 0x404040);
    bag.write("a__ui_Limiter_line_total_color", curve_, 0xFFFF00);
    bag.write("a__ui_text_off_color", off_text_, 0x404040);
}

}  // namespace tuner
