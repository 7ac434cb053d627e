// Model of the limiter curve control: the threshold with its knob, the
// static transfer curve of a hard limiter, the OFF flag, the knob drag and
// the output event. Graph scale: x and y from -40 to +5 dB. Pure C++; the
// widget maps the scale onto its surface and paints.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tuner {

class LimiterModel {
public:
    static constexpr double kScaleMin = -40.0;
    static constexpr double kScaleMax = 5.0;
    static constexpr double kDragMin = -35.0;
    static constexpr double kDragMax = 0.0;
    static constexpr int kKnobPx = 9;

    struct Events {
        std::function<void(int16_t db)> output;
        std::function<void()> redraw;
    };
    Events events;

    // Threshold in dB; setting an equal value does nothing, and a value set
    // here is never reported through output.
    float a__ui_db_adj() const { return threshold_; }
    void set_a__ui_db_adj(float db);
    void set_dis_off_bit(uint8_t flag);
    uint8_t dis_off_bit() const { return dis_off_bit_; }
    bool off_text_visible() const { return dis_off_bit_ == 0; }
    static int16_t db_to_ui_buchang_db(float db);

    void display();
    void layout();

    void set_surface(int width_px, int height_px);
    int surface_w() const { return sw_; }
    int surface_h() const { return sh_; }
    double px_x(double db) const;
    double px_y(double db) const;
    double db_x(double px) const;
    double db_y(double px) const;

    // The knob's rectangle in pixels, centred on (threshold, threshold):
    // left, top, right, bottom (right/bottom exclusive).
    struct PxRect {
        int left, top, right, bottom;
    };
    PxRect knob_rect() const;
    // Curve vertices in dB: the diagonal up to the first whole dB at or
    // above the threshold, then flat to +5.
    std::vector<std::pair<double, double>> curve_points() const;

    // Mouse, in surface pixels; left button = 1.
    void press(int button, double px, double py);
    void move(bool left_held, double px, double py);
    bool knob_grabbed() const { return knob_grabbed_; }

private:
    void output_check();

    float threshold_ = 0;
    uint8_t dis_off_bit_ = 0;
    bool drag_active_ = false;
    bool knob_grabbed_ = false;
    float anchor_y_ = 0;
    float last_output_db_ = 0;
    int sw_ = 150, sh_ = 150;
};

}  // namespace tuner
