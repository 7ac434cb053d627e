#include "controls/peq_graph.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "platform/canvas_pen.h"

namespace tuner {
namespace {

const FontSpec kLabelFont{"Tahoma", 7.5};
const FontSpec kInfoFont{"Tahoma", 11};
constexpr int kGainLabelBoxes = 61;
constexpr double kGridFreqs[] = {10,   20,   30,   40,   50,   60,   70,   80,    90,    100,
                                 200,  300,  400,  500,  600,  700,  800,  900,   1000,  2000,
                                 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 20000, 23600};
struct FreqLabel {
    double f;
    const char* text;
};
constexpr FreqLabel kFreqLabels[] = {{20, "20Hz"},     {50, "50Hz"},    {100, "100Hz"}, {200, "200Hz"},
                                     {500, "500Hz"},   {1000, "1kHz"},  {2000, "2kHz"}, {5000, "5kHz"},
                                     {10000, "10kHz"}, {20000, "20kHz"}};

int clamp_px(double v) {
    if (!(v > -20000.0)) return -20000;
    if (v > 20000.0) return 20000;
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace

PEQ::PEQ(QWidget* parent) : CanvasWidget(parent) {
    setMouseTracking(false);
    // A click gives the graph the keyboard, so that Up and Down reach the
    // selected band's gain.
    setFocusPolicy(Qt::ClickFocus);
    model_.events.MouseMoveToPEQ = [this](int16_t b) { emit MouseMoveToPEQ(b); };
    model_.events.MouseClickEQx = [this](int16_t b) { emit MouseClickEQx(b); };
    model_.events.EqOut = [this](const EqOutArgs& a) {
        emit EqOut(a.band, a.type, a.freq_index, a.freq, a.q_index, a.Q, a.gain_index, a.gain_db);
    };
    model_.events.message = [this](const std::string& t) { emit Message(QString::fromStdString(t)); };
    model_.events.redraw = [this] { update(); };
    model_.events.relayout = [this] { background_stale_ = true; };
    resize(640, 300);
}

QPoint PEQ::to_px(double x, double db) const { return QPoint(clamp_px(model_.px_x(x)), clamp_px(model_.px_y(db))); }

void PEQ::resizeEvent(QResizeEvent*) { model_.set_surface(width(), height()); }

void PEQ::build_background() {
    Canvas c(model_.surface_w(), model_.surface_h());
    c.clear(back_);
    const double up = std::nearbyint(model_.a__SYSTEM_GRID_up());
    const double down = std::nearbyint(model_.a__SYSTEM_GRID_down());
    const double x_lo = freq_to_xy_x(10), x_hi = freq_to_xy_x(23600);
    auto vline = [&](double x, int w) {
        const QPoint a = to_px(x, model_.a__SYSTEM_GRID_up()), b = to_px(x, model_.a__SYSTEM_GRID_down());
        wide_line(c, a.x(), a.y(), b.x(), b.y() + (w <= 1 ? 1 : 0), w, line_);
    };
    auto hline = [&](double db, int w) {
        const QPoint a = to_px(x_lo, db), b = to_px(x_hi, db);
        wide_line(c, a.x(), a.y(), b.x() + (w <= 1 ? 1 : 0), b.y(), w, line_);
    };
    for (double f : kGridFreqs) {
        if (f >= 20 && f <= 20000) vline(freq_to_xy_x(f), 1);
    }
    hline(0, 1);
    vline(x_lo, 2);
    vline(x_hi, 2);
    hline(up, 2);
    hline(down, 2);
    // Lines every d dB from 0 up and down; a range of more lines than the
    // graph has pixel rows draws none of them.
    const int d = model_.grid_step();
    const double up_lines = std::floor(model_.a__SYSTEM_GRID_up() / d);
    const double down_lines = std::floor(-model_.a__SYSTEM_GRID_down() / d);
    if (up_lines <= model_.surface_h()) {
        for (int i = 0; i <= up_lines; ++i) hline(static_cast<double>(i) * d, 1);
    }
    if (down_lines <= model_.surface_h()) {
        for (int i = 0; i <= down_lines; ++i) hline(-static_cast<double>(i) * d, 1);
    }
    background_ = c.image();
    build_labels();
    background_stale_ = false;
    ++background_builds_;
}

void PEQ::build_labels() {
    // The label boxes stand over the picture, so curves pass under them.
    QImage img(model_.surface_w(), model_.surface_h(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    Canvas boxes(model_.surface_w(), model_.surface_h());
    boxes.clear(back_);
    QPainter p(&img);
    const int bw = PeqModel::kRefBoxWPx, bh = PeqModel::kRefBoxHPx;
    auto box = [&](int left, int top, const QString& text, unsigned align) {
        const QRect r(left, top, bw, bh);
        boxes.fill_rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1, back_);
        boxes.draw_text(r, text, kLabelFont, text_, align | text_flags::single_line | text_flags::vcenter);
        p.drawImage(r.topLeft(), boxes.image().copy(r));
    };
    // The dB labels, upper ones first, while label boxes last.
    const int cx = clamp_px(model_.px_x(freq_to_xy_x(10)) - PeqModel::kLabelColPx / 2.0);
    const int d2 = 2 * model_.grid_step();
    int boxes_left = kGainLabelBoxes;
    for (int v = 0; v <= model_.a__SYSTEM_GRID_up() && boxes_left > 0; v += d2, --boxes_left) {
        box(cx - bw / 2, clamp_px(model_.px_y(v)) - bh / 2, QStringLiteral("+%1dB").arg(v), text_flags::right);
    }
    for (int v = 0; v >= model_.a__SYSTEM_GRID_down() && boxes_left > 0; v -= d2, --boxes_left) {
        box(cx - bw / 2, clamp_px(model_.px_y(v)) - bh / 2, QStringLiteral("%1dB").arg(v), text_flags::right);
    }
    const int ftop = clamp_px(model_.px_y(model_.a__SYSTEM_GRID_down())) + PeqModel::kLabelRowPx / 2 - bh / 2;
    for (const FreqLabel& l : kFreqLabels) {
        box(clamp_px(model_.px_x(freq_to_xy_x(l.f))) - bw / 2, ftop, QString::fromLatin1(l.text), text_flags::center);
    }
    labels_ = img;
}

void PEQ::draw_curve(Canvas& c, const EqCurveSet::Curve& curve, int width, OleColor colour) const {
    std::vector<QPoint> pts;
    pts.reserve(kCurvePoints);
    for (std::size_t i = 0; i < kCurvePoints; ++i) pts.push_back(to_px(static_cast<double>(i), curve[i]));
    wide_polyline(c, pts, width < 1 ? 1 : width, colour);
}

void PEQ::paint_surface(Canvas& c) {
    model_.set_surface(width(), height());  // a hidden widget gets its resize event late
    if (background_stale_ || background_.size() != QSize(model_.surface_w(), model_.surface_h())) build_background();
    if (c.width() != background_.width() || c.height() != background_.height())
        c.resize(background_.width(), background_.height());
    c.image() = background_.copy();
    const int16_t band = model_.displayed_band();
    if (model_.bypass_on()) {
        const auto& b = model_.bypass();
        const QPoint at = to_px(b.x, b.y);
        const FontSpec font{"Tahoma", static_cast<double>(b.font_size > 0 ? b.font_size : 9), true};
        c.draw_text(QRect(at, QSize(c.width(), c.height())), QString::fromStdString(b.text), font, b.colour,
                    text_flags::single_line | text_flags::no_clip);
    }
    if (model_.a__line_one_display_enable() && band != kNoBand && model_.band(band).band_enable) {
        draw_curve(c, model_.curves().band(band), model_.a__peq_line_one_width(), one_);
    }
    const InfoText info = model_.info_text();
    if (info.shown) {
        QPoint at = to_px(info.left, info.top);
        const int lh = Canvas::text_extent(QStringLiteral("0"), kInfoFont).height();
        // A block that would leave the top of the graph goes under the marker.
        if (at.y() < 0) at.setY(clamp_px(model_.px_y(model_.band(band).band_gain_db)) + PeqModel::kMarkerPx);
        int widest = 0;
        for (const auto& l : info.lines)
            widest = std::max(widest, Canvas::text_extent(QString::fromStdString(l), kInfoFont).width());
        at.setX(std::clamp(at.x(), 0, std::max(0, c.width() - widest - 2)));
        for (std::size_t i = 0; i < info.lines.size(); ++i) {
            c.draw_text(QRect(at.x(), at.y() + static_cast<int>(i) * lh, 200, lh),
                        QString::fromStdString(info.lines[i]), kInfoFont, info_,
                        text_flags::single_line | text_flags::no_clip);
        }
    }
    draw_curve(c, model_.curves().total(), model_.a__peq_line_total_width(), total_);
    {
        QPainter p(&c.image());
        p.drawImage(0, 0, labels_);
    }
    // Markers, then the Q handles of the band shown.
    for (int b = 0; b <= model_.a__eq_num_max(); ++b) {
        if (!model_.marker_visible(b)) continue;
        const GraphRect r = model_.marker_rect(b);
        const QPoint tl = to_px(r.left, r.top);
        const int s = PeqModel::kMarkerPx;
        c.ellipse(tl.x(), tl.y(), tl.x() + s, tl.y() + s, model_.marker_back(b), model_.marker_border(b));
    }
    for (const QHandleState* h : {&model_.q_left(), &model_.q_right()}) {
        if (!h->visible) continue;
        const QPoint tl = to_px(h->rect.left, h->rect.top);
        const int s = PeqModel::kQHandlePx;
        c.fill_rect(tl.x(), tl.y(), tl.x() + s, tl.y() + s, kSysWindow);
        c.frame_rect(tl.x(), tl.y(), tl.x() + s, tl.y() + s, 0x80FF);
    }
}

void PEQ::mousePressEvent(QMouseEvent* e) {
    model_.press(e->button() == Qt::LeftButton ? 1 : 0, e->position().x(), e->position().y());
}

void PEQ::mouseMoveEvent(QMouseEvent* e) {
    model_.move(e->buttons() == Qt::LeftButton, e->position().x(), e->position().y());
}

void PEQ::mouseReleaseEvent(QMouseEvent*) { model_.release(); }

void PEQ::read_properties(const PropertyBag& bag) {
    model_.set_a__eq_num_max(static_cast<int16_t>(bag.read("a__eq_num_max", int32_t{2})));
    set_a__grid_back_color(bag.read("a__grid_back_color", static_cast<int32_t>(0x8000000Cu)));
    set_a__grid_line_color(bag.read("a__grid_line_color", int32_t{0x404040}));
    set_a__grid_text_color(bag.read("a__grid_text_color", int32_t{0xC0C0C0}));
    set_a__grid_f_q_g_text_color(bag.read("a__grid_f_q_g_text_color", int32_t{0xFFFF}));
    set_a__peq_line_total_color(bag.read("a__peq_line_total_color", int32_t{0xFFFF00}));
    set_a__peq_line_one_color(bag.read("a__peq_line_one_color", int32_t{0xC0C0C0}));
    model_.set_a__line_one_display_enable(bag.read("a__line_one_display_enable", true));
    model_.set_grid_range(bag.read("a__SYSTEM_GRID_up", 12.0), bag.read("a__SYSTEM_GRID_down", -18.0));
    model_.set_a__SYSTEM_GRID_up_to_down_div(bag.read("a__SYSTEM_GRID_up_to_down_div", 3.0));
    model_.set_a__peq_line_one_width(static_cast<int16_t>(bag.read("a__peq_line_one_width", int32_t{1})));
    model_.set_a__peq_line_total_width(static_cast<int16_t>(bag.read("a__peq_line_total_width", int32_t{1})));
    model_.set_a__db_adj_step(bag.read("a__db_adj_step", 0.2));
    model_.set_a__operate_to_step(bag.read("a__operate_to_step", true));
}

void PEQ::write_properties(PropertyBag& bag) const {
    bag.write("a__eq_num_max", static_cast<int32_t>(model_.a__eq_num_max()), 2);
    bag.write("a__grid_back_color", back_, static_cast<int32_t>(0x8000000Cu));
    bag.write("a__grid_line_color", line_, 0x404040);
    bag.write("a__grid_text_color", text_, 0xC0C0C0);
    bag.write("a__grid_f_q_g_text_color", info_, 0xFFFF);
    bag.write("a__peq_line_total_color", total_, 0xFFFF00);
    bag.write("a__peq_line_one_color", one_, 0xC0C0C0);
    bag.write("a__line_one_display_enable", model_.a__line_one_display_enable(), true);
    bag.write("a__SYSTEM_GRID_up", static_cast<double>(static_cast<float>(model_.a__SYSTEM_GRID_up())), 12.0);
    bag.write("a__SYSTEM_GRID_down", static_cast<double>(static_cast<float>(model_.a__SYSTEM_GRID_down())), -18.0);
    bag.write("a__SYSTEM_GRID_up_to_down_div",
              static_cast<double>(static_cast<float>(model_.a__SYSTEM_GRID_up_to_down_div())), 3.0);
    bag.write("a__peq_line_one_width", static_cast<int32_t>(model_.a__peq_line_one_width()), 1);
    bag.write("a__peq_line_total_width", static_cast<int32_t>(model_.a__peq_line_total_width()), 1);
    bag.write("a__db_adj_step", static_cast<double>(static_cast<float>(model_.a__db_adj_step())),
              static_cast<double>(0.2f));
    bag.write("a__operate_to_step", model_.a__operate_to_step(), true);
}

}  // namespace tuner
