#include "controls/slider_model.h"

#include <cmath>

namespace tuner {

SliderModel::SliderModel() = default;

void SliderModel::report_error() {
    if (events.slider_value_error) events.slider_value_error(kSliderValueErrorText);
}

float SliderModel::position_of(int32_t v) const {
    // A zero range places every value at the minimum end.
    const double f = value_range_ != 0 ? (static_cast<double>(v) - min_) / static_cast<double>(value_range_) : 0.0;
    if (horizontal()) return static_cast<float>((sw_ - tw_) * f);
    const double travel = sh_ - th_;
    return static_cast<float>(travel - travel * f);
}

double SliderModel::tick_position(int32_t v) const {
    const double f = value_range_ != 0 ? (static_cast<double>(v) - min_) / static_cast<double>(value_range_) : 0.0;
    if (horizontal()) return (sw_ - tw_) * f + tw_ / 2.0;
    const double travel = sh_ - th_;
    return travel - travel * f + th_ / 2.0;
}

void SliderModel::place_thumb(int32_t v) {
    if (horizontal()) {
        left_ = position_of(v);
    } else if (vertical()) {
        top_ = position_of(v);
    }
}

void SliderModel::setValue(int32_t v) {
    if (v < min_ || v > max_) {
        report_error();
        return;
    }
    if (v > max_limit_) v = max_limit_;
    value_ = v;
    if (v == shown_value_) return;
    if (!dragging_) place_thumb(v);
    redraw();
    shown_value_ = v;
    if (dragging_) fire(events.ValueChanged);
    if (v == max_) fire(events.ArrivedLast);
    if (v == min_) fire(events.ArrivedFirst);
}

void SliderModel::setMax(int32_t v) {
    if (v <= min_) report_error();
    max_ = v;
    value_range_ = static_cast<int64_t>(max_) - min_;
    // A new scale moves the value's place on the rail: the thumb follows, or
    // it would show another value than the one held (and a drag started on
    // the drawn thumb would miss it).
    if (!dragging_ && value_ >= min_ && value_ <= max_ && value_range_ > 0) place_thumb(value_);
    // The ticks run from min to max: the face changes with the scale even
    // where the thumb cannot follow.
    redraw();
}

void SliderModel::setMin(int32_t v) {
    if (v >= max_) report_error();
    min_ = v;
    setValue(v);
    value_range_ = static_cast<int64_t>(max_) - min_;
    // New ticks, also when the value was at the new minimum already.
    redraw();
}

void SliderModel::setMax_limit(int32_t v) {
    if (v < min_) report_error();
    if (v == max_limit_) return;
    max_limit_ = v;
    if (value_ > v) {
        const int32_t before = value_;
        setValue(v);
        // Only a value that really came down is reported.
        if (value_ != before) fire(events.ValueChanged);
    }
}

void SliderModel::setOrientation(int32_t o) {
    orientation_ = o;
    place_thumb(value_);
    redraw();
}

void SliderModel::load(int32_t min, int32_t max, int32_t max_limit, int32_t value) {
    min_ = min;
    max_ = max;
    max_limit_ = max_limit;
    value_ = value;
    value_range_ = static_cast<int64_t>(max_) - min_;
    shown_value_ = value_;
    place_thumb(value_);
    redraw();
}

void SliderModel::ui_inc() {
    if (value_ <= max_limit_ && value_ < max_) {
        setValue(value_ + 1);
        fire(events.ValueChanged);
    }
}

void SliderModel::ui_dec() {
    if (value_ > min_) {
        setValue(value_ - 1);
        fire(events.ValueChanged);
    }
}

void SliderModel::ui_Dis_Mouse_in() {
    hover_look_ = true;
    redraw();
}

void SliderModel::ui_Dis_Mouse_out() {
    hover_look_ = false;
    redraw();
}

void SliderModel::set_geometry(int surface_w, int surface_h, int thumb_w, int thumb_h) {
    sw_ = surface_w;
    sh_ = surface_h;
    tw_ = thumb_w;
    th_ = thumb_h;
    place_thumb(value_);
}

void SliderModel::set_cross_offset(float offset) {
    if (horizontal())
        top_ = offset;
    else if (vertical())
        left_ = offset;
}

int32_t SliderModel::value_from_thumb() {
    // No travel (thumb as long as the surface): the value stays.
    double f = 0;
    if (horizontal()) {
        if (sw_ - tw_ <= 0) return value_;
        f = left_ / static_cast<double>(sw_ - tw_);
    } else if (vertical()) {
        if (sh_ - th_ <= 0) return value_;
        f = (sh_ - th_ - top_) / static_cast<double>(sh_ - th_);
    } else {
        return value_;
    }
    const double exact = f * value_range_ + min_;
    const int32_t v = static_cast<int32_t>(std::nearbyint(exact));  // half to even
    place_thumb(v);
    return v;
}

void SliderModel::press(int button, float x, float y, int16_t shift) {
    if (!enabled_ || button != 1) return;
    if (left_ <= x && x < static_cast<float>(left_ + tw_) && top_ <= y && y < static_cast<float>(top_ + th_)) {
        dragging_ = true;
        grab_x_ = x - left_;
        grab_y_ = y - top_;
    }
    if (events.MouseDown) events.MouseDown(shift);
}

void SliderModel::move(float x, float y) {
    if (!dragging_) return;
    if (horizontal()) {
        const float d = x - grab_x_;
        const float end = static_cast<float>(sw_ - tw_);
        left_ = d < 0 ? 0.f : (d > end ? end : d);
    } else if (vertical()) {
        const float d = y - grab_y_;
        const float end = static_cast<float>(sh_ - th_);
        top_ = d < 0 ? 0.f : (d > end ? end : d);
    } else {
        return;
    }
    int32_t v = value_from_thumb();
    if (v > max_limit_) {
        v = max_limit_;
        place_thumb(max_limit_);
    }
    setValue(v);
}

void SliderModel::release(int button, float x, float y, int16_t shift) {
    // A disabled slider ignores the release, unless it ends a drag begun
    // while it was enabled.
    if (!enabled_ && !dragging_) return;
    if (!dragging_) {
        if (horizontal()) {
            if (x < left_) ui_dec();
            if (x > left_ + static_cast<float>(tw_)) ui_inc();
        } else if (vertical()) {
            if (y < top_) ui_inc();
            if (y > top_ + static_cast<float>(th_)) ui_dec();
        }
    }
    if (button == 1 && x >= 0 && x < static_cast<float>(sw_) && y >= 0 && y < static_cast<float>(sh_)) {
        fire(events.Click);
    }
    const bool was_dragging = dragging_;
    dragging_ = false;
    if (was_dragging) {
        place_thumb(value_);
        if (events.MouseUp) events.MouseUp(shift);
    }
    if (leave_pending_) finish_leave();
}

void SliderModel::wheel(int delta) {
    if (!enabled_) return;
    if (delta == 120)
        ui_inc();
    else if (delta == -120)
        ui_dec();
}

bool SliderModel::key_down(int key) {
    if (!enabled_ || !mouse_inside_) return false;
    const bool down = key == 40 || (horizontal() && key == 37);
    const bool up = key == 38 || (horizontal() && key == 39);
    if (!horizontal() && !vertical()) return false;
    if (down)
        ui_dec();
    else if (up)
        ui_inc();
    return down || up;
}

void SliderModel::pointer_entered() {
    leave_pending_ = false;
    if (mouse_inside_) return;
    mouse_inside_ = true;
    redraw();
    fire(events.MouseIn);
    hover_look_ = false;
}

void SliderModel::pointer_left() {
    if (!mouse_inside_) return;
    if (dragging_) {
        leave_pending_ = true;
        return;
    }
    finish_leave();
}

void SliderModel::finish_leave() {
    leave_pending_ = false;
    mouse_inside_ = false;
    redraw();
    fire(events.MouseOut);
    hover_look_ = false;
}

}  // namespace tuner
