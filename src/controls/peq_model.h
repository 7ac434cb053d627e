// Model of the parametric-EQ graph (PEQ): up to 39 bands with their type,
// fractional frequency and Q indexes, gain and editing limits; the curves;
// the mapping between graph units (x = frequency index, y = dB) and surface
// pixels; markers, Q handles and the info text; selection and mouse editing;
// and the events. Pure C++; the widget paints from it and feeds it input.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/eq_curves.h"
#include "core/eq_filter.h"
#include "platform/control_error.h"

namespace tuner {

constexpr int16_t kNoBand = 255;
inline constexpr const char* kPeqRangeMessage = "超出设置范围";

// The error a host call raises for a band outside 0..38 ("Subscript out of
// range", as the tab strip reports its own), naming the member
// ("PEQ.EQ_init"). The call changes nothing.
constexpr int kPeqSubscriptOutOfRange = kSubscriptOutOfRange;

struct PeqError : ControlError {
    explicit PeqError(const std::string& member) : ControlError(kSubscriptOutOfRange, "PEQ." + member) {}
};

struct PeqBand {
    uint8_t band_type = 0;
    float band_freq_index = 395;
    float band_q_index = 16;
    float band_gain_db = 0;
    uint8_t band_enable = 1;
    int16_t freq_index_min = 35, freq_index_max = 395;
    int16_t q_index_min = 0, q_index_max = 99;
    int16_t gain_db_min = -12, gain_db_max = 12;
    bool q_handle_enable = true;
};

// Values reported by EqOut.
struct EqOutArgs {
    int16_t band = 0;
    int16_t type = 0;
    int16_t freq_index = 0;
    float freq = 0;
    int16_t q_index = 0;
    float Q = 0;
    float gain_index = 0;
    float gain_db = 0;
};

// A rectangle in graph units: left..right, bottom..top (y grows upwards).
struct GraphRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool strictly_contains(double x, double y) const { return left < x && x < right && bottom < y && y < top; }
};

struct QHandleState {
    bool visible = false;
    GraphRect rect;
};

struct InfoText {
    bool shown = false;
    double left = 0, top = 0;  // graph units
    std::vector<std::string> lines;
};

class PeqModel {
public:
    struct Events {
        std::function<void(int16_t band)> MouseMoveToPEQ;
        std::function<void(int16_t band)> MouseClickEQx;
        std::function<void(const EqOutArgs&)> EqOut;
        // Message box text ("超出设置范围"); the host shows it.
        std::function<void(const std::string&)> message;
        // Curves or markers changed: repaint.
        std::function<void()> redraw;
        // Grid, colours or labels changed: the static background is stale.
        std::function<void()> relayout;
    };
    Events events;

    // Layout metrics in pixels (the twip sizes of the design at 15 per pixel).
    static constexpr int kLabelColPx = 40;  // 600 twips left of x = 0
    static constexpr int kLabelRowPx = 24;  // 360 twips below the bottom line
    static constexpr int kMarkerPx = 10;    // 151 twips
    static constexpr int kQHandlePx = 8;    // 118 twips
    static constexpr int kRefBoxWPx = 33;   // 495 twips
    static constexpr int kRefBoxHPx = 12;   // 180 twips

    PeqModel();

    // ---- properties (setters refuse values that cannot be drawn) ----
    int16_t a__eq_num_max() const { return eq_num_max_; }
    void set_a__eq_num_max(int16_t v);
    double a__SYSTEM_GRID_up() const { return grid_up_; }
    void set_a__SYSTEM_GRID_up(double v);
    double a__SYSTEM_GRID_down() const { return grid_down_; }
    void set_a__SYSTEM_GRID_down(double v);
    // Both ends at once (a saved pair may lie outside the current one).
    void set_grid_range(double up, double down);
    double a__SYSTEM_GRID_up_to_down_div() const { return grid_div_; }
    void set_a__SYSTEM_GRID_up_to_down_div(double v);
    double a__db_adj_step() const { return db_step_; }
    void set_a__db_adj_step(double v);
    bool a__operate_to_step() const { return operate_to_step_; }
    void set_a__operate_to_step(bool v);
    bool a__line_one_display_enable() const { return line_one_display_; }
    void set_a__line_one_display_enable(bool v);
    int16_t a__peq_line_one_width() const { return line_one_width_; }
    void set_a__peq_line_one_width(int16_t v);
    int16_t a__peq_line_total_width() const { return line_total_width_; }
    void set_a__peq_line_total_width(int16_t v);
    // The grid division as drawn (whole dB, at least 1).
    int grid_step() const;

    // ---- host methods ----
    // A band outside 0..38 raises PeqError, except in EqIn, which ignores
    // 39 and above; dis_peq_x and display also take 255 (no band).
    void EQ_init(int16_t band, int16_t freq_index_min, int16_t freq_index_max, int16_t q_index_min, int16_t q_index_max,
                 int16_t gain_index_min, int16_t gain_index_max, bool q_handle);
    void peq_input_pre_gain(int gain_index);
    void EqIn(int16_t band, int type, int freq_index, int q_index, int gain_index);
    void dis_peq_x(int16_t band);
    void Set_eq_index_enable(int16_t band, uint8_t enable);
    void Dis_Bypass_on(int16_t x, int16_t y, int16_t font_size, const std::string& text, int32_t colour);
    void Dis_Bypass_off();
    void dis_text_enable(int16_t flag);
    void display(int16_t band);
    void peq_layout();

    // ---- filter maths on the last computed coefficients ----
    void Get_b0b1b2a1a2(int type, double f, double q, double gain_db);
    double Get_X_One_Freq_dB(double f) const { return response_db(last_, f); }
    void Set_b0b1b2a1a2_to_line_one_and_add_to_line_total(int16_t band);
    void updata_all_filter_to_total_line();
    void updata_one_filter_to_total_line(int16_t band);
    void get_pre_gain_line_value(double gain_db);
    const Biquad& coefficients() const { return last_; }

    // ---- conversions ----
    static double freq_to_xy_x(double f) { return tuner::freq_to_xy_x(f); }
    // Table entries at an index rounded half away from zero (clamped).
    static double freq_index_to_freq(double index);
    static float q_index_to_Q(double index);
    double db_to_ui_step_db(double v) const { return tuner::db_to_ui_step_db(v, db_step_); }
    // The frequency tool's text: one line per table index, "f,\r\n".
    static std::string send_new_freq_tab();

    // ---- state ----
    int16_t select_eq_index = kNoBand;
    const PeqBand& band(int b) const { return bands_[static_cast<std::size_t>(b)]; }
    double pre_gain_db() const { return pre_gain_db_; }
    bool bypass_on() const { return bypass_on_; }
    int16_t text_enable() const { return text_enable_; }
    const EqCurveSet& curves() const { return curves_; }
    // The band the last display drew (255: none).
    int16_t displayed_band() const { return displayed_band_; }
    bool marker_visible(int b) const;
    // Marker colours (back, border) by type.
    int32_t marker_back(int b) const { return marker_back_[static_cast<std::size_t>(b)]; }
    int32_t marker_border(int b) const { return marker_border_[static_cast<std::size_t>(b)]; }
    GraphRect marker_rect(int b) const;
    const QHandleState& q_left() const { return q_left_; }
    const QHandleState& q_right() const { return q_right_; }
    InfoText info_text() const;
    struct Bypass {
        int16_t x = 0, y = 0, font_size = 0;
        std::string text;
        int32_t colour = 0;
    };
    const Bypass& bypass() const { return bypass_; }

    // ---- surface mapping ----
    void set_surface(int width_px, int height_px);
    int surface_w() const { return sw_; }
    int surface_h() const { return sh_; }
    double units_per_px() const { return ux_; }
    double db_per_px() const { return uy_; }
    double px_x(double x) const { return (x - left_u_) / ux_; }
    double px_y(double db) const { return (top_u_ - db) / uy_; }
    double graph_x(double px) const { return left_u_ + px * ux_; }
    double graph_y(double px) const { return top_u_ - px * uy_; }
    double marker_width() const { return marker_width_; }

    // ---- mouse, in surface pixels ----
    void press(int button, double px, double py);
    void move(bool left_only_held, double px, double py);
    void release();
    bool mouse_down() const { return mouse_down_; }

private:
    static bool band_index_ok(int b) { return b >= 0 && b < kPeqBands; }
    // Raises PeqError for a band outside 0..38 (or 255 where `none_ok`).
    static void check_band(int b, const char* member, bool none_ok = false);
    void compute_band(int b);
    void resum();
    void place_q_handles(int16_t band);
    void colour_markers();
    void raise_eq_out();
    void update_mapping();
    void emit_redraw() {
        if (events.redraw) events.redraw();
    }
    std::array<bool, kPeqBands> enabled_flags() const;

    std::array<PeqBand, kPeqBands> bands_{};
    std::array<Biquad, kPeqBands> designs_{};
    std::array<int32_t, kPeqBands> marker_back_{};
    std::array<int32_t, kPeqBands> marker_border_{};
    EqCurveSet curves_;
    Biquad last_;

    int16_t eq_num_max_ = 3;
    double grid_up_ = 12, grid_down_ = -18, grid_div_ = 3, db_step_ = 0.2;
    bool operate_to_step_ = true;
    bool line_one_display_ = true;
    int16_t line_one_width_ = 1, line_total_width_ = 1;

    double pre_gain_db_ = 0;
    bool bypass_on_ = false;
    Bypass bypass_;
    int16_t text_enable_ = 1;
    int16_t displayed_band_ = kNoBand;
    QHandleState q_left_, q_right_;

    bool mouse_down_ = false, q_left_grab_ = false, q_right_grab_ = false, edit_active_ = false;
    double grab_x_ = 0, grab_y_ = 0;
    struct LastOut {
        int16_t band = -1, type = -1, freq_index = -1, q_index = -1;
        float gain = 0;
    } last_out_;

    int sw_ = 640, sh_ = 300;
    double ux_ = 1, uy_ = 1, left_u_ = 0, top_u_ = 0;
    double marker_width_ = 0;
};

}  // namespace tuner
