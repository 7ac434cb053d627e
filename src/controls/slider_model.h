// Value model of the slider (xiSlider): value, bounds, the thumb's place on
// the surface, drags, rail clicks, wheel notches and the events. Pure C++;
// the widget feeds it pointer positions in surface pixels and paints from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tuner {

// Text of the out-of-range report, shown by the host window.
inline constexpr const char* kSliderValueErrorText = "软件有可改进的地方，改进码：380";

enum class SliderOrientation : int32_t { Horizontal = 0, Vertical = 1 };

class SliderModel {
public:
    struct Events {
        std::function<void()> Click;
        std::function<void()> ArrivedFirst;
        std::function<void()> ArrivedLast;
        std::function<void()> ValueChanged;
        std::function<void(int16_t& shift)> MouseDown;
        std::function<void(int16_t& shift)> MouseUp;
        std::function<void()> MouseIn;
        std::function<void()> MouseOut;
        // Out-of-range report (slider_value_error): the host shows the text.
        std::function<void(const std::string& text)> slider_value_error;
        // The surface needs repainting.
        std::function<void()> redraw;
    };
    Events events;

    SliderModel();

    // Properties of the value model.
    int32_t Value() const { return value_; }
    void setValue(int32_t v);
    int32_t min() const { return min_; }
    void setMin(int32_t v);
    int32_t max() const { return max_; }
    void setMax(int32_t v);
    int32_t max_limit() const { return max_limit_; }
    void setMax_limit(int32_t v);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool e) { enabled_ = e; }
    int32_t Orientation() const { return orientation_; }
    void setOrientation(int32_t o);
    bool horizontal() const { return orientation_ == 0; }
    bool vertical() const { return orientation_ == 1; }

    // Stores saved values directly (no check, no report, no event), then
    // recomputes the range and places the thumb.
    void load(int32_t min, int32_t max, int32_t max_limit, int32_t value);

    // Methods.
    void ui_inc();
    void ui_dec();
    void ui_Dis_Mouse_in();
    void ui_Dis_Mouse_out();

    // Geometry: surface size and thumb size in pixels.
    void set_geometry(int surface_w, int surface_h, int thumb_w, int thumb_h);
    // Thumb offset across the rail (a rail picture wider than the thumb).
    void set_cross_offset(float offset);
    int surface_w() const { return sw_; }
    int surface_h() const { return sh_; }
    int thumb_w() const { return tw_; }
    int thumb_h() const { return th_; }
    float thumb_left() const { return left_; }
    float thumb_top() const { return top_; }
    // Position of the thumb for a value (Algorithm 1) along the axis.
    float position_of(int32_t v) const;
    // Thumb-centre coordinate of a value along the axis (ticks).
    double tick_position(int32_t v) const;
    bool range_usable() const { return max_ != min_; }

    // Input, in surface pixels. Buttons: 1 left, 2 right, 4 middle.
    void press(int button, float x, float y, int16_t shift);
    void move(float x, float y);
    void release(int button, float x, float y, int16_t shift);
    // Whole wheel notches (+120 away from the user, -120 towards).
    void wheel(int delta);
    // Windows key codes: 37 Left, 38 Up, 39 Right, 40 Down; acts only while
    // the pointer is inside. Returns whether the key stepped the slider.
    bool key_down(int key);
    void pointer_entered();
    // The pointer left; while dragging the leave waits for the release.
    void pointer_left();

    bool dragging() const { return dragging_; }
    bool mouse_inside() const { return mouse_inside_; }
    bool hover_look() const { return hover_look_; }
    int32_t shown_value() const { return shown_value_; }

private:
    void report_error();
    void place_thumb(int32_t v);
    int32_t value_from_thumb();
    void finish_leave();
    void fire(const std::function<void()>& f) {
        if (f) f();
    }
    void redraw() {
        if (events.redraw) events.redraw();
    }

    int32_t value_ = 0;
    int32_t min_ = 0;
    int32_t max_ = 180;
    int32_t max_limit_ = 2000;
    // Wide enough for any pair of bounds (max - min may exceed 32 bits).
    int64_t value_range_ = 180;
    int32_t shown_value_ = 0;
    int32_t orientation_ = 1;
    bool enabled_ = true;

    int sw_ = 0, sh_ = 0, tw_ = 18, th_ = 31;
    float left_ = 0, top_ = 0;
    float grab_x_ = 0, grab_y_ = 0;
    bool dragging_ = false;
    bool mouse_inside_ = false;
    bool hover_look_ = false;
    bool leave_pending_ = false;
};

}  // namespace tuner
