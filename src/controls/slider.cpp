#include "controls/slider.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QPainter>
#include <QPointer>

#include "platform/canvas_pen.h"
#include "platform/twips.h"

namespace tuner {
namespace {

// Nearest whole pixel, half to even; far-off positions (extreme settings)
// are held at a distance no surface reaches.
int nearest(double v) {
    if (!(v > -1e6)) return -1000000;
    if (v > 1e6) return 1000000;
    return static_cast<int>(std::nearbyint(v));
}

std::vector<uint8_t> png_bytes(const QImage& img) {
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return {data.begin(), data.end()};
}

QImage image_from_bytes(const std::vector<uint8_t>& bytes) {
    QImage img;
    if (!bytes.empty()) img.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
    return img;
}

// The edge code of a groove style; -1: nothing framed.
int groove_edge(int32_t style) {
    switch (style) {
        case 0: return edge::sunken_outer | edge::sunken_inner;
        case 2: return edge::sunken_outer;
        case 3: return edge::raised_inner;
        case 4: return 0;
        default: return -1;
    }
}

// The value tip: one small window shared by all sliders.
const FontSpec kTipMeasureFont{"宋体", 9};
const FontSpec kTipLabelFont{"Tahoma", 8.25};

class SliderTip : public QWidget {
public:
    SliderTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void set_text(const QString& t) {
        text_ = t;
        update();
    }
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override {
        Canvas c(width(), height());
        c.clear(system_color(0x18));
        const int sw = width(), sh = height();
        c.line(0, 0, sw, 0, kSys3DLight);
        c.line(0, 0, 0, sh, kSys3DLight);
        c.line(sw - 1, 0, sw - 1, sh, kSys3DDarkShadow);
        c.line(0, sh - 1, sw, sh - 1, kSys3DDarkShadow);
        c.draw_text(QRect(2, 1, sw - 2, sh - 1), text_, kTipLabelFont, system_color(0x17), text_flags::single_line);
        QPainter(this).drawImage(0, 0, c.image());
    }

private:
    QString text_;
};

QPointer<SliderTip>& tip_window() {
    static QPointer<SliderTip> tip;
    return tip;
}

// Sliders alive; the shared tip goes with the last one.
int g_live_sliders = 0;

}  // namespace

QImage make_slider_thumb(int w, int h, SliderOrientation travel, bool hovered) {
    w = std::max(w, 3);
    h = std::max(h, 3);
    Canvas c(w, h);
    constexpr uint32_t kMask = 0xFF00FF;
    c.clear(static_cast<OleColor>(kMask));
    const Region body = Region::round_rect(0, 0, w + 1, h + 1, 5, 5);
    c.set_clip(body);
    if (hovered)
        c.gradient_v(0, 0, w, h, static_cast<OleColor>(make_rgb(236, 244, 255)),
                     static_cast<OleColor>(make_rgb(170, 200, 236)));
    else
        c.gradient_v(0, 0, w, h, static_cast<OleColor>(make_rgb(250, 250, 250)),
                     static_cast<OleColor>(make_rgb(196, 196, 200)));
    c.set_clip(std::nullopt);
    const OleColor frame = static_cast<OleColor>(hovered ? make_rgb(40, 90, 160) : make_rgb(88, 88, 92));
    c.frame_region(body, frame);
    const OleColor grip = static_cast<OleColor>(make_rgb(30, 30, 30));
    const OleColor groove = static_cast<OleColor>(make_rgb(140, 140, 146));
    if (travel == SliderOrientation::Vertical) {
        const int y = h / 2;
        c.fill_rect(3, y - 3, w - 3, y - 2, groove);
        c.fill_rect(3, y, w - 3, y + 1, grip);
        c.fill_rect(3, y + 3, w - 3, y + 4, groove);
    } else {
        const int x = w / 2;
        c.fill_rect(x - 3, 3, x - 2, h - 3, groove);
        c.fill_rect(x, 3, x + 1, h - 3, grip);
        c.fill_rect(x + 3, 3, x + 4, h - 3, groove);
    }
    QImage out = c.image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((out.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) out.setPixel(x, y, 0);
        }
    }
    return out;
}

xiSlider::xiSlider(QWidget* parent) : CanvasWidget(parent) {
    ++g_live_sliders;
    setMouseTracking(true);
    // A click gives the slider the keyboard focus, so the arrow keys reach
    // it while the pointer is over it.
    setFocusPolicy(Qt::ClickFocus);
    refresh_default_icons();
    model_.events.Click = [this] { emit Click(); };
    model_.events.ArrivedFirst = [this] { emit ArrivedFirst(); };
    model_.events.ArrivedLast = [this] { emit ArrivedLast(); };
    model_.events.ValueChanged = [this] { emit ValueChanged(); };
    model_.events.MouseDown = [this](int16_t& s) { emit MouseDown(s); };
    model_.events.MouseUp = [this](int16_t& s) { emit MouseUp(s); };
    model_.events.MouseIn = [this] {
        emit MouseIn();
        wheel_.setHWndCapture(this);
        wheel_.EnableWheel();
    };
    model_.events.MouseOut = [this] {
        emit MouseOut();
        close_value_tip();
        wheel_.DisableWheel();
    };
    model_.events.slider_value_error = [this](const std::string& t) { emit ValueError(QString::fromStdString(t)); };
    model_.events.redraw = [this] {
        update();
        if (show_tip_ && model_.mouse_inside()) show_value_tip();
    };
    connect(&wheel_, &WheelCapture::WheelScroll, this, [this](int, int delta, float, float) { model_.wheel(delta); });
    connect(&wheel_, &WheelCapture::KeyDown, this, [this](int, int, int key, int) { model_.key_down(key); });
    relayout();
}

xiSlider::~xiSlider() {
    if (model_.mouse_inside()) close_value_tip();
    if (--g_live_sliders == 0) delete tip_window().data();
}

void xiSlider::setEnabledProperty(bool e) { model_.setEnabled(e); }

void xiSlider::setOrientation(int32_t o) {
    model_.setOrientation(o);
    refresh_default_icons();
    relayout();
}

void xiSlider::setMouseOutSliderIcon(const QImage& img) {
    out_icon_ = img;
    custom_icons_ = true;
    relayout();
}

void xiSlider::setMouseInSliderIcon(const QImage& img) {
    in_icon_ = img;
    custom_icons_ = true;
    relayout();
}

void xiSlider::set_thumb_size(int w, int h) {
    thumb_size_ = QSize(std::max(w, 3), std::max(h, 3));
    custom_icons_ = false;
    refresh_default_icons();
    relayout();
}

void xiSlider::refresh_default_icons() {
    if (custom_icons_) return;
    const auto travel = model_.horizontal() ? SliderOrientation::Horizontal : SliderOrientation::Vertical;
    out_icon_ = make_slider_thumb(thumb_size_.width(), thumb_size_.height(), travel, false);
    in_icon_ = make_slider_thumb(thumb_size_.width(), thumb_size_.height(), travel, true);
}

void xiSlider::relayout() {
    if (in_relayout_) return;
    in_relayout_ = true;
    const int W = out_icon_.width();
    const int H = out_icon_.height();
    const int RW = rail_picture_.width();
    const int RH = rail_picture_.height();
    const bool rail_pic = picture_rail() && !rail_picture_.isNull();
    int w = width(), h = height();
    // Extra size across the rail, held within 4096 pixels either way.
    const int adj = twips_to_px(std::clamp(width_adj_, -px_to_twips(4096), px_to_twips(4096)));
    if (rail_pic) {
        if (model_.horizontal()) {
            w = RW;
            h = std::max(RH, H);
        } else {
            h = RH;
            w = std::max(RW, W);
        }
    } else if (model_.horizontal()) {
        if (w == 0) w = W;
        h = H + adj;
    } else {
        if (h == 0) h = H;
        w = W + adj;
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (size() != QSize(w, h)) resize(w, h);
    model_.set_geometry(w, h, W, H);
    float cross = 0;
    if (rail_pic && model_.horizontal() && RH > H) cross = static_cast<float>((RH - H) / 2.0);
    if (rail_pic && model_.vertical() && RW > W) cross = static_cast<float>((RW - W) / 2.0);
    model_.set_cross_offset(cross);
    if (model_.horizontal()) {
        const int top = nearest((H - 4) / 2.0);
        const int left = nearest(W / 2.0 - 2);
        rail_rect_ = QRect(QPoint(left, top), QPoint(nearest(w + left - W + 4.0) - 1, top + 3));
    } else {
        const int left = nearest((W - 4) / 2.0);
        const int top = nearest(H / 2.0 - 2);
        rail_rect_ = QRect(QPoint(left, top), QPoint(left + 3, nearest(h + top - H + 4.0) - 1));
    }
    in_relayout_ = false;
    update();
}

void xiSlider::resizeEvent(QResizeEvent*) { relayout(); }

void xiSlider::showEvent(QShowEvent*) { update(); }

void xiSlider::draw_ticks(Canvas& c, double centre) const {
    if (!model_.range_usable()) return;
    const bool horiz = model_.horizontal();
    if (!horiz && !model_.vertical()) return;
    bool minus = false, plus = false;
    switch (line_mode_) {
        case 0: (horiz ? minus : plus) = true; break;
        case 1: (horiz ? plus : minus) = true; break;
        case 2: minus = plus = true; break;
        default: return;
    }
    auto ticks = [&](int side, int32_t div, int32_t len, OleColor colour) {
        if (div <= 0) return;
        const int64_t count = (static_cast<int64_t>(model_.max()) - model_.min()) / div;
        if (count < 0 || count > 4096) return;  // more ticks than pixels: none
        const int a = nearest(centre + side * line_sta_);
        const int b = nearest(centre + side * (line_sta_ + len));
        for (int64_t v = model_.min(); v <= model_.max(); v += div) {
            const int p = nearest(model_.tick_position(static_cast<int32_t>(v)));
            if (horiz)
                c.line(p, a, p, b, colour);
            else
                c.line(a, p, b, p, colour);
        }
    };
    for (int side : {-1, 1}) {
        if ((side < 0 && !minus) || (side > 0 && !plus)) continue;
        ticks(side, line_sub_div_, line_sub_len_, line_sub_color_);
        ticks(side, line_main_div_, line_main_len_, line_main_color_);
    }
}

void xiSlider::draw_rail_lines(Canvas& c, double centre) const {
    if (!hua_enable_) return;
    const bool horiz = model_.horizontal();
    if (!horiz && !model_.vertical()) return;
    const double len = horiz ? model_.thumb_w() : model_.thumb_h();
    const double span = horiz ? model_.surface_w() : model_.surface_h();
    // The centre line is rounded once and the band counted in whole pixels
    // from it: rounding each c + i on its own turns a centre on a half pixel
    // into stripes (half to even sends 7.5 and 8.5 both to 8).
    const int mid = nearest(centre);
    auto along = [&](int offset, double from, double to, int width, OleColor colour) {
        const int o = mid + offset;
        if (horiz)
            wide_line(c, nearest(from), o, nearest(to), o, width, colour);
        else
            wide_line(c, o, nearest(from), o, nearest(to), width, colour);
    };
    for (int i = 0; i <= hua_sub_width_ && i < 1000; ++i) {
        along(i, 0.2 * len, span - 0.2 * len, 1, hua_sub_color_);
        along(-i, 0.2 * len, span - 0.2 * len, 1, hua_sub_color_);
    }
    along(0, 0.39 * len, span - 0.39 * len, hua_main_width_, hua_main_color_);
}

void xiSlider::paint_surface(Canvas& c) {
    if (model_.surface_w() != width() || model_.surface_h() != height()) relayout();
    if (c.width() != width() || c.height() != height()) c.resize(width(), height());
    c.clear(back_color_);
    const bool horiz = model_.horizontal();
    const double L = model_.thumb_left(), T = model_.thumb_top();
    const double centre = horiz ? T + xy_adj_ + model_.thumb_h() / 2.0 : L + xy_adj_ + model_.thumb_w() / 2.0;
    if (picture_rail()) {
        if (!rail_picture_.isNull()) {
            if (horiz)
                c.blit(rail_picture_, 0, nearest((c.height() - rail_picture_.height()) / 2.0));
            else
                c.blit(rail_picture_, nearest((c.width() - rail_picture_.width()) / 2.0), 0);
        }
    } else {
        const int code = groove_edge(rail_style_);
        if (code > 0)
            draw_edge(c, rail_rect_.left(), rail_rect_.top(), rail_rect_.right() + 1, rail_rect_.bottom() + 1,
                      static_cast<unsigned>(code));
    }
    draw_ticks(c, centre);
    if (picture_rail()) draw_rail_lines(c, centre);
    const bool hovered = model_.mouse_inside() || model_.hover_look();
    const int x = nearest(horiz ? L : L + xy_adj_);
    const int y = nearest(horiz ? T + xy_adj_ : T);
    c.blit(hovered ? in_icon_ : out_icon_, x, y);
}

void xiSlider::on_pointer_down(const Pointer& p) {
    model_.press(p.button, p.x(), p.y(), static_cast<int16_t>(p.shift));
    // Only a left press counts; another button waits for its release, which steps.
    if (p.button == 1 && show_tip_ && model_.Enabled()) show_value_tip();
}

void xiSlider::on_pointer_move(const Pointer& p) {
    if (!model_.mouse_inside() && rect().contains(p.pos.toPoint())) model_.pointer_entered();
    model_.move(p.x(), p.y());
    if (show_tip_ && model_.mouse_inside()) show_value_tip();
}

void xiSlider::on_pointer_up(const Pointer& p) {
    model_.release(p.button, p.x(), p.y(), static_cast<int16_t>(p.shift));
    if (!rect().contains(p.pos.toPoint())) model_.pointer_left();
}

bool xiSlider::on_key_down(const Key& k) {
    // Up and Down arrive through the wheel capture while the pointer is
    // inside; Left and Right come here. With Alt held an arrow steps
    // nothing, as in the wheel capture. Other keys go on to the container.
    const bool arrow = k.code >= 37 && k.code <= 40 && (k.shift & 4) == 0;
    return arrow && model_.key_down(k.code);
}

void xiSlider::show_value_tip() {
    auto& tip = tip_window();
    if (!tip) tip = new SliderTip;
    const QString text = QString::number(model_.Value());
    const QPoint s = mapToGlobal(QPoint(0, 0));
    const int lw = Canvas::text_extent(text, kTipMeasureFont).width();
    const int lh = Canvas::text_extent(text, kTipLabelFont).height();
    const double L = model_.thumb_left(), T = model_.thumb_top();
    const int W = model_.thumb_w(), H = model_.thumb_h();
    int x = 0, y = 0;
    if (model_.horizontal()) {
        x = nearest(s.x() + L + (W - lw - 4) * 0.5);
        y = nearest(s.y() + T - lh - 5);
    } else {
        x = nearest(s.x() + L - lw - 6);
        y = nearest(s.y() + T + (H - lh - 4) * 0.5);
    }
    tip->set_text(text);
    tip->setGeometry(x, y, lw + 4, lh + 3);
    tip->show();
    tip->raise();
}

void xiSlider::close_value_tip() {
    if (auto& tip = tip_window()) tip->hide();
}

QWidget* xiSlider::value_tip_window() { return tip_window(); }

// The whole-number settings that are stored as they are, in bag order.
std::span<const xiSlider::IntSetting> xiSlider::int_settings() {
    static const IntSetting kSettings[] = {
        {"m_hua_slider_main_Color", &xiSlider::hua_main_color_, 0},
        {"m_hua_slider_sub_Color", &xiSlider::hua_sub_color_, 0xC0C0C0},
        {"m_hua_slider_main_line_width", &xiSlider::hua_main_width_, 3},
        {"m_hua_slider_sub_line_width", &xiSlider::hua_sub_width_, 6},
        {"m_Line_Mode", &xiSlider::line_mode_, 2},
        {"m_Line_Sub_Div", &xiSlider::line_sub_div_, 5},
        {"m_Line_Main_Div", &xiSlider::line_main_div_, 30},
        {"m_Line_Main_Color", &xiSlider::line_main_color_, 0},
        {"m_Line_Sub_Color", &xiSlider::line_sub_color_, 0x808080},
        {"m_Line_Sta", &xiSlider::line_sta_, 10},
        {"m_Line_Main_Len", &xiSlider::line_main_len_, 6},
        {"m_Line_Sub_Len", &xiSlider::line_sub_len_, 5},
        {"BackColor", &xiSlider::back_color_, static_cast<int32_t>(kSysButtonFace)},
    };
    return kSettings;
}

void xiSlider::read_properties(const PropertyBag& bag) {
    hua_enable_ = bag.read("m_hua_slider_enable", true);
    for (const IntSetting& st : int_settings()) this->*st.member = bag.read(st.key, st.def);
    model_.setEnabled(bag.read("Enabled", true));
    model_.setOrientation(bag.read("Orientation", int32_t{1}));
    rail_style_ = bag.read("RailStyle", int32_t{99});
    show_tip_ = bag.read("ShowValueTip", false);
    const int32_t mn = bag.read("Min", int32_t{0});
    const int32_t mx = bag.read("Max", int32_t{180});
    const int32_t lim = bag.read("Max_limit", int32_t{2000});
    xy_adj_ = bag.read("Slder_XY_ADJ", int32_t{0});
    width_adj_ = bag.read("m_Width_ADJ", int32_t{100});
    const int32_t value = bag.read("Value", int32_t{0});
    const QImage out = image_from_bytes(bag.read("MouseOutSliderIcon", std::vector<uint8_t>{}));
    const QImage in = image_from_bytes(bag.read("MouseInSliderIcon", std::vector<uint8_t>{}));
    rail_picture_ = image_from_bytes(bag.read("RailPicture", std::vector<uint8_t>{}));
    custom_icons_ = !out.isNull() || !in.isNull();
    thumb_size_ = QSize(18, 31);
    if (custom_icons_) {
        const auto travel = model_.horizontal() ? SliderOrientation::Horizontal : SliderOrientation::Vertical;
        out_icon_ = out.isNull() ? make_slider_thumb(18, 31, travel, false) : out;
        in_icon_ = in.isNull() ? make_slider_thumb(18, 31, travel, true) : in;
    } else {
        refresh_default_icons();
    }
    relayout();
    model_.load(mn, mx, lim, value);
}

void xiSlider::write_properties(PropertyBag& bag) const {
    bag.write("m_hua_slider_enable", hua_enable_, true);
    for (const IntSetting& st : int_settings()) bag.write(st.key, this->*st.member, st.def);
    bag.write("Enabled", model_.Enabled(), true);
    bag.write("Orientation", model_.Orientation(), 1);
    bag.write("RailStyle", rail_style_, 99);
    bag.write("ShowValueTip", show_tip_, false);
    bag.write("Min", model_.min(), 0);
    bag.write("Max", model_.max(), 180);
    bag.write("Max_limit", model_.max_limit(), 2000);
    bag.write("Slder_XY_ADJ", xy_adj_, 0);
    bag.write("m_Width_ADJ", width_adj_, 100);
    bag.write("Value", model_.Value(), 0);
    // Program-drawn thumbs of the default size are not stored; any other
    // thumb is kept as a picture.
    const bool store_icons = custom_icons_ || thumb_size_ != QSize(18, 31);
    const std::vector<uint8_t> none;
    bag.write("MouseOutSliderIcon", store_icons ? png_bytes(out_icon_) : none, none);
    bag.write("MouseInSliderIcon", store_icons ? png_bytes(in_icon_) : none, none);
    bag.write("RailPicture", rail_picture_.isNull() ? none : png_bytes(rail_picture_), none);
}

}  // namespace tuner
