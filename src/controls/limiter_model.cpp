#include "controls/limiter_model.h"

#include <cmath>

namespace tuner {

void LimiterModel::set_a__ui_db_adj(float db) {
    if (db == threshold_) return;
    threshold_ = db;
    display();
}

void LimiterModel::set_dis_off_bit(uint8_t flag) {
    dis_off_bit_ = flag;
    display();
}

int16_t LimiterModel::db_to_ui_buchang_db(float db) {
    if (!std::isfinite(db)) return 0;
    const double r = std::nearbyint(static_cast<double>(db));  // half to even
    if (r > 32767) return 32767;
    if (r < -32768) return -32768;
    return static_cast<int16_t>(r);
}

void LimiterModel::display() {
    if (events.redraw) events.redraw();
    output_check();
}

void LimiterModel::layout() {
    drag_active_ = false;
    knob_grabbed_ = false;
    display();
}

void LimiterModel::set_surface(int width_px, int height_px) {
    sw_ = width_px;
    sh_ = height_px;
    layout();
}

double LimiterModel::px_x(double db) const { return (db - kScaleMin) / (kScaleMax - kScaleMin) * sw_; }
double LimiterModel::px_y(double db) const { return (kScaleMax - db) / (kScaleMax - kScaleMin) * sh_; }
double LimiterModel::db_x(double px) const { return kScaleMin + px / (sw_ > 0 ? sw_ : 1) * (kScaleMax - kScaleMin); }
double LimiterModel::db_y(double px) const { return kScaleMax - px / (sh_ > 0 ? sh_ : 1) * (kScaleMax - kScaleMin); }

LimiterModel::PxRect LimiterModel::knob_rect() const {
    // Centred on the threshold point in pixels, whatever the two scales.
    const int cx = static_cast<int>(std::lround(px_x(threshold_)));
    const int cy = static_cast<int>(std::lround(px_y(threshold_)));
    const int l = cx - kKnobPx / 2;
    const int t = cy - kKnobPx / 2;
    return {l, t, l + kKnobPx, t + kKnobPx};
}

std::vector<std::pair<double, double>> LimiterModel::curve_points() const {
    std::vector<std::pair<double, double>> pts{{-40.0, -40.0}};
    for (int i = -40; i <= 4; ++i) {
        if (static_cast<float>(i) < threshold_) {
            pts.emplace_back(i + 1, i + 1);
        } else {
            pts.back() = {i, i};
            pts.emplace_back(5.0, i);
            return pts;
        }
    }
    return pts;
}

void LimiterModel::press(int button, double px, double py) {
    if (button != 1) return;
    drag_active_ = true;
    anchor_y_ = static_cast<float>(db_y(py));
    const PxRect k = knob_rect();
    // The drawn rectangle, strictly inside.
    knob_grabbed_ = k.left - 1 < px && px < k.right && k.top - 1 < py && py < k.bottom;
    display();
    drag_active_ = false;
}

void LimiterModel::move(bool left_held, double px, double py) {
    (void)px;  // horizontal movement is ignored
    if (!left_held || !knob_grabbed_) return;
    drag_active_ = true;
    const float y = static_cast<float>(db_y(py));
    const float t = y - anchor_y_ + threshold_;
    threshold_ = t;
    if (t >= kDragMin && t <= kDragMax) {
        anchor_y_ = y;
    } else if (t < kDragMin) {
        threshold_ = static_cast<float>(kDragMin);
        anchor_y_ = static_cast<float>(kDragMin);
    } else {
        threshold_ = static_cast<float>(kDragMax);
        anchor_y_ = static_cast<float>(kDragMax);
    }
    display();
    drag_active_ = false;
}

void LimiterModel::output_check() {
    if (!drag_active_ || !knob_grabbed_) return;
    const int16_t v = db_to_ui_buchang_db(threshold_);
    if (static_cast<float>(v) != last_output_db_) {
        if (events.output) events.output(v);
        last_output_db_ = v;
    }
}

}  // namespace tuner
