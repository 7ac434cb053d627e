#include "controls/peq_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "controls/text_input.h"
#include "core/value_tables.h"

namespace tuner {
namespace {

constexpr int32_t kSysWindowColour = static_cast<int32_t>(0x80000005u);
constexpr int32_t kMarkerBorderOrange = 0x80FF;
constexpr int32_t kRed = 0xFF;
constexpr int32_t kGreen = 0xFF00;

int round_half_even(double v) { return static_cast<int>(std::nearbyint(v)); }
int round_half_away(double v) { return static_cast<int>(std::lround(v)); }

// Moves a dragged value by delta within lo..hi. The reference point follows
// the pointer, or sits on the limit crossed so that the value follows the
// pointer again as soon as it comes back into range.
void follow_within(float& value, double delta, int lo, int hi, double& anchor, double pointer) {
    value = static_cast<float>(value + delta);
    if (value < lo) {
        value = static_cast<float>(lo);
        anchor = lo;
    } else if (value > hi) {
        value = static_cast<float>(hi);
        anchor = hi;
    } else {
        anchor = pointer;
    }
}

std::string fmt(double v, const char* format) { return format_number_text(double_to_text(v), format); }

}  // namespace

void PeqModel::check_band(int b, const char* member, bool none_ok) {
    if (band_index_ok(b) || (none_ok && b == kNoBand)) return;
    throw PeqError(member);
}

PeqModel::PeqModel() {
    // New-control defaults: bands 0..2 spread over the axis, the rest at 395.
    for (int b = 0; b < kPeqBands; ++b) {
        PeqBand& pb = bands_[static_cast<std::size_t>(b)];
        pb.band_freq_index = b < 3 ? static_cast<float>(35.0 + b * 360.0 / 3.0) : 395.f;
        marker_back_[static_cast<std::size_t>(b)] = kSysWindowColour;
        marker_border_[static_cast<std::size_t>(b)] = kMarkerBorderOrange;
    }
    update_mapping();
    peq_layout();
}

// ---------------------------------------------------------------- properties

void PeqModel::set_a__eq_num_max(int16_t v) {
    if (v > 38) {
        if (events.message) events.message(kPeqRangeMessage);
        v = 38;
    }
    if (v < 1) return;  // the respread divides by the value
    eq_num_max_ = v;
    for (int b = 0; b <= v; ++b)
        bands_[static_cast<std::size_t>(b)].band_freq_index = static_cast<float>(35.0 + b * 360.0 / v);
    peq_layout();
}

void PeqModel::set_a__SYSTEM_GRID_up(double v) {
    if (!std::isfinite(v) || v <= grid_down_) return;
    grid_up_ = static_cast<float>(v);
    peq_layout();
}

void PeqModel::set_a__SYSTEM_GRID_down(double v) {
    if (!std::isfinite(v) || v >= grid_up_) return;
    grid_down_ = static_cast<float>(v);
    peq_layout();
}

void PeqModel::set_grid_range(double up, double down) {
    if (!std::isfinite(up) || !std::isfinite(down) || up <= down) return;
    grid_up_ = static_cast<float>(up);
    grid_down_ = static_cast<float>(down);
    peq_layout();
}

void PeqModel::set_a__SYSTEM_GRID_up_to_down_div(double v) {
    if (!std::isfinite(v) || std::nearbyint(v) <= 0) return;
    grid_div_ = static_cast<float>(v);
    peq_layout();
}

void PeqModel::set_a__db_adj_step(double v) {
    if (!std::isfinite(v) || v <= 0) return;
    db_step_ = static_cast<float>(v);
    peq_layout();
}

void PeqModel::set_a__operate_to_step(bool v) {
    operate_to_step_ = v;
    peq_layout();
}

void PeqModel::set_a__line_one_display_enable(bool v) {
    line_one_display_ = v;
    display(select_eq_index);
}

void PeqModel::set_a__peq_line_one_width(int16_t v) {
    line_one_width_ = v;
    display(kNoBand);
}

void PeqModel::set_a__peq_line_total_width(int16_t v) {
    line_total_width_ = v;
    display(kNoBand);
}

int PeqModel::grid_step() const { return static_cast<int>(std::clamp(std::nearbyint(grid_div_), 1.0, 1e6)); }

// ---------------------------------------------------------------- mapping

void PeqModel::set_surface(int width_px, int height_px) {
    if (width_px == sw_ && height_px == sh_) return;
    sw_ = width_px;
    sh_ = height_px;
    // A new size only re-maps the graph: the bands keep their enables and
    // the selection (the host does not send them again after a resize).
    update_mapping();
    if (events.relayout) events.relayout();
    place_q_handles(displayed_band_);
    emit_redraw();
}

void PeqModel::update_mapping() {
    // Margins: the label column left of x = 0 and 0.3 of it right of 403;
    // half a label row above the top line and a whole row below the bottom.
    const int w = std::max(sw_ - kLabelColPx - kLabelColPx * 3 / 10, 1);
    const int h = std::max(sh_ - kLabelRowPx - kLabelRowPx / 2, 1);
    ux_ = 403.0 / w;
    uy_ = (grid_up_ - grid_down_) / h;
    left_u_ = -kLabelColPx * ux_;
    top_u_ = grid_up_ + 0.5 * kLabelRowPx * uy_;
    marker_width_ = kMarkerPx * ux_;
}

// ---------------------------------------------------------------- host methods

void PeqModel::EQ_init(int16_t band, int16_t fmin, int16_t fmax, int16_t qmin, int16_t qmax, int16_t gmin, int16_t gmax,
                       bool q_handle) {
    check_band(band, "EQ_init");
    PeqBand& b = bands_[static_cast<std::size_t>(band)];
    b.freq_index_min = static_cast<int16_t>(clamp_table_index(fmin, kEqFreqEntries));
    b.freq_index_max = static_cast<int16_t>(clamp_table_index(fmax, kEqFreqEntries));
    b.q_index_min = static_cast<int16_t>(clamp_table_index(qmin, kEqQEntries));
    b.q_index_max = static_cast<int16_t>(clamp_table_index(qmax, kEqQEntries));
    b.gain_db_min = static_cast<int16_t>(round_half_even(eq_gain_at(gmin)));
    b.gain_db_max = static_cast<int16_t>(round_half_even(eq_gain_at(gmax)));
    b.q_handle_enable = q_handle;
}

void PeqModel::peq_input_pre_gain(int gain_index) {
    const float g = static_cast<float>(eq_gain_at(gain_index));
    if (g == static_cast<float>(pre_gain_db_)) return;
    pre_gain_db_ = g;
    display(kNoBand);
}

void PeqModel::EqIn(int16_t band, int type, int freq_index, int q_index, int gain_index) {
    if (band >= kPeqBands) return;
    check_band(band, "EqIn");
    PeqBand& b = bands_[static_cast<std::size_t>(band)];
    const uint8_t t = static_cast<uint8_t>(type);
    const float fi = static_cast<float>(clamp_table_index(freq_index, kEqFreqEntries));
    const float qi = static_cast<float>(clamp_table_index(q_index, kEqQEntries));
    const float g = static_cast<float>(eq_gain_at(gain_index));
    if (b.band_type == t && b.band_freq_index == fi && b.band_q_index == qi && b.band_gain_db == g) return;
    b.band_type = t;
    b.band_freq_index = fi;
    b.band_q_index = qi;
    b.band_gain_db = g;
    if (band <= eq_num_max_) select_eq_index = band;
    display(band);
}

void PeqModel::dis_peq_x(int16_t band) {
    check_band(band, "dis_peq_x", true);
    select_eq_index = (band >= 0 && band <= eq_num_max_) ? band : kNoBand;
    display(band);
}

void PeqModel::Set_eq_index_enable(int16_t band, uint8_t enable) {
    check_band(band, "Set_eq_index_enable");
    bands_[static_cast<std::size_t>(band)].band_enable = enable;
    display(kNoBand);
}

void PeqModel::Dis_Bypass_on(int16_t x, int16_t y, int16_t font_size, const std::string& text, int32_t colour) {
    if (bypass_on_ && text == bypass_.text) return;
    bypass_on_ = true;
    bypass_ = {x, y, font_size, text, colour};
    display(kNoBand);
}

void PeqModel::Dis_Bypass_off() {
    if (!bypass_on_) return;
    bypass_on_ = false;
    display(kNoBand);
}

void PeqModel::dis_text_enable(int16_t flag) {
    if (flag == text_enable_) return;
    text_enable_ = flag;
    display(select_eq_index);
}

void PeqModel::peq_layout() {
    edit_active_ = false;
    select_eq_index = kNoBand;
    for (PeqBand& b : bands_) b.band_enable = 1;
    update_mapping();
    if (events.relayout) events.relayout();
    display(kNoBand);
}

bool PeqModel::marker_visible(int b) const {
    return b >= 0 && b <= eq_num_max_ && bands_[static_cast<std::size_t>(b)].band_enable != 0;
}

GraphRect PeqModel::marker_rect(int b) const {
    const PeqBand& pb = bands_[static_cast<std::size_t>(b)];
    const double w = kMarkerPx * ux_;
    const double h = kMarkerPx * uy_;
    return {pb.band_freq_index - w / 2, pb.band_gain_db + h / 2, pb.band_freq_index + w / 2, pb.band_gain_db - h / 2};
}

// ---------------------------------------------------------------- curves

std::array<bool, kPeqBands> PeqModel::enabled_flags() const {
    std::array<bool, kPeqBands> e{};
    for (int b = 0; b < kPeqBands; ++b)
        e[static_cast<std::size_t>(b)] = bands_[static_cast<std::size_t>(b)].band_enable != 0;
    return e;
}

void PeqModel::Get_b0b1b2a1a2(int type, double f, double q, double gain_db) {
    last_ = design_biquad(type, f, q, gain_db);
}

void PeqModel::compute_band(int b) {
    const PeqBand& pb = bands_[static_cast<std::size_t>(b)];
    Get_b0b1b2a1a2(pb.band_type, freq_index_to_freq(pb.band_freq_index), q_index_to_Q(pb.band_q_index),
                   pb.band_gain_db);
    designs_[static_cast<std::size_t>(b)] = last_;
    if (has_filter_formula(pb.band_type))
        curves_.set_band(b, last_, bypass_on_);
    else
        curves_.set_band_flat(b);
}

void PeqModel::resum() { curves_.resum(eq_num_max_, enabled_flags()); }

void PeqModel::Set_b0b1b2a1a2_to_line_one_and_add_to_line_total(int16_t band) {
    check_band(band, "Set_b0b1b2a1a2_to_line_one_and_add_to_line_total");
    curves_.set_band(band, last_, bypass_on_);
    resum();
}

void PeqModel::get_pre_gain_line_value(double gain_db) {
    Get_b0b1b2a1a2(eq_type::gain_only, 1000.0, 1.0, gain_db);
    curves_.set_pre_gain_line(bypass_on_ ? 0.0 : response_db(last_, 1000.0));
}

void PeqModel::updata_all_filter_to_total_line() {
    get_pre_gain_line_value(pre_gain_db_);
    for (int b = 0; b <= eq_num_max_; ++b) {
        if (bands_[static_cast<std::size_t>(b)].band_enable) compute_band(b);
    }
    resum();
}

void PeqModel::updata_one_filter_to_total_line(int16_t band) {
    check_band(band, "updata_one_filter_to_total_line");
    if (!bands_[static_cast<std::size_t>(band)].band_enable) return;
    compute_band(band);
    resum();
}

// ---------------------------------------------------------------- conversions

double PeqModel::freq_index_to_freq(double index) { return eq_freq_at(round_half_away(index)); }

float PeqModel::q_index_to_Q(double index) { return static_cast<float>(eq_q_at(round_half_away(index))); }

std::string PeqModel::send_new_freq_tab() {
    std::string out;
    const auto& tab = value_tables().eq_freq_tab;
    double d = 0.1;
    for (std::size_t i = 0; i < tab.size(); ++i) {
        const double step = d;
        const double target = static_cast<double>(i);
        double found = 8.0;
        for (double f = 8.0; f <= 28000.0; f += step) {
            if (f >= 100.0) d = 1.0;
            const double here = std::fabs(tuner::freq_to_xy_x(f) - target);
            if (here < std::fabs(tuner::freq_to_xy_x(f - step) - target) &&
                here < std::fabs(tuner::freq_to_xy_x(f + step) - target)) {
                found = f;
                break;
            }
            found = f;
        }
        const float shown = found < 100.0 ? static_cast<float>(std::nearbyint(found * 10.0) / 10.0)
                                          : static_cast<float>(std::nearbyint(found));
        out += single_to_text(shown) + ",\r\n";
    }
    return out;
}

// ---------------------------------------------------------------- display

void PeqModel::colour_markers() {
    for (int b = 0; b <= eq_num_max_; ++b) {
        const int t = bands_[static_cast<std::size_t>(b)].band_type;
        auto& back = marker_back_[static_cast<std::size_t>(b)];
        auto& border = marker_border_[static_cast<std::size_t>(b)];
        if (t <= 2) {
            back = kSysWindowColour;
            border = kMarkerBorderOrange;
        } else if (is_low_pass_group(t) || is_high_pass_group(t)) {
            back = kRed;
            border = kGreen;
        }
    }
}

void PeqModel::display(int16_t band) {
    check_band(band, "display", true);
    const bool one = band >= 0 && band <= eq_num_max_;
    if (!one) {
        marker_width_ = kMarkerPx * ux_;
        updata_all_filter_to_total_line();
    }
    colour_markers();
    if (one) {
        select_eq_index = band;
        updata_one_filter_to_total_line(band);
    }
    displayed_band_ = one ? band : kNoBand;
    place_q_handles(displayed_band_);
    emit_redraw();
    if (one) raise_eq_out();
}

void PeqModel::place_q_handles(int16_t band) {
    q_left_.visible = q_right_.visible = false;
    if (band == kNoBand || text_enable_ == 0) return;
    const PeqBand& pb = bands_[static_cast<std::size_t>(band)];
    const double hw = kQHandlePx * ux_ / 2;
    const double hh = kQHandlePx * uy_ / 2;
    const double marker_h = kMarkerPx * uy_;
    const double cy = pb.band_gain_db < 0 ? pb.band_gain_db + marker_h : pb.band_gain_db - marker_h;
    const double spread = marker_width_ + (pb.q_index_max - pb.band_q_index) / 2.0;
    const double lx = pb.band_freq_index - spread;
    const double rx = pb.band_freq_index + spread;
    q_left_.rect = {lx - hw, cy + hh, lx + hw, cy - hh};
    q_right_.rect = {rx - hw, cy + hh, rx + hw, cy - hh};
    const Biquad& d = designs_[static_cast<std::size_t>(band)];
    bool allowed = pb.q_handle_enable && pb.band_enable && has_filter_formula(pb.band_type);
    if (is_low_pass_group(pb.band_type) && !d.lpf_q_variable) allowed = false;
    if (is_high_pass_group(pb.band_type) && !d.hpf_q_variable) allowed = false;
    q_left_.visible = allowed && q_left_.rect.left >= 0.0;
    q_right_.visible = allowed && q_right_.rect.right <= tuner::freq_to_xy_x(23600.0);
}

InfoText PeqModel::info_text() const {
    InfoText it;
    const int16_t band = displayed_band_;
    if (band == kNoBand || text_enable_ == 0) return it;
    const PeqBand& pb = bands_[static_cast<std::size_t>(band)];
    if (!pb.band_enable) return it;
    const int t = pb.band_type;
    const Biquad& d = designs_[static_cast<std::size_t>(band)];
    // The frequency shown is the one EqOut reports (index rounded half to even).
    const double f = eq_freq_at(round_half_even(pb.band_freq_index));
    const std::string freq = f < 100 ? fmt(f, "0.0") + "Hz" : fmt(f, "0") + "Hz";
    const float q = static_cast<float>(eq_q_at(round_half_even(pb.band_q_index)));
    const std::string qtext = "Q：" + fmt(q, q < 10 ? "0.00" : "0.0");
    if (t <= 2) {
        it.lines = {freq, fmt(db_to_ui_step_db(pb.band_gain_db), "0.0") + "dB"};
        if (pb.q_handle_enable) it.lines.push_back(qtext);
    } else if (is_high_pass_group(t) || is_low_pass_group(t)) {
        const bool high = is_high_pass_group(t);
        it.lines = {high ? "HPF" : "LPF", freq};
        if (pb.q_handle_enable && (high ? d.hpf_q_variable : d.lpf_q_variable)) it.lines.push_back(qtext);
    } else {
        return it;
    }
    it.shown = true;
    it.left = pb.band_freq_index - kRefBoxWPx * ux_ / 2;
    it.top = pb.band_gain_db + (pb.q_handle_enable ? 4 : 3) * kRefBoxHPx * uy_;
    return it;
}

void PeqModel::raise_eq_out() {
    if (!edit_active_ || select_eq_index == kNoBand) return;
    const PeqBand& pb = bands_[static_cast<std::size_t>(select_eq_index)];
    EqOutArgs a;
    a.band = select_eq_index;
    a.type = pb.band_type;
    a.freq_index = static_cast<int16_t>(round_half_even(pb.band_freq_index));
    a.freq = static_cast<float>(eq_freq_at(a.freq_index));
    a.q_index = static_cast<int16_t>(round_half_even(pb.band_q_index));
    a.Q = static_cast<float>(eq_q_at(a.q_index));
    a.gain_db = static_cast<float>(std::strtod(fmt(db_to_ui_step_db(pb.band_gain_db), "0.0").c_str(), nullptr));
    a.gain_index = static_cast<float>(peq_h_gain_index(a.gain_db));
    if (a.band == last_out_.band && a.type == last_out_.type && a.freq_index == last_out_.freq_index &&
        a.q_index == last_out_.q_index && a.gain_db == last_out_.gain) {
        return;
    }
    if (mouse_down_ && events.EqOut) events.EqOut(a);
    last_out_ = {a.band, a.type, a.freq_index, a.q_index, a.gain_db};
}

// ---------------------------------------------------------------- mouse

void PeqModel::press(int button, double px, double py) {
    if (button != 1) return;
    const double x = graph_x(px);
    const double y = graph_y(py);
    mouse_down_ = true;
    edit_active_ = true;
    grab_x_ = x;
    grab_y_ = y;
    q_left_grab_ = q_right_grab_ = false;
    if (select_eq_index != kNoBand && displayed_band_ == select_eq_index) {
        // Only handles that are shown can be grabbed.
        q_left_grab_ = q_left_.visible && q_left_.rect.strictly_contains(x, y);
        q_right_grab_ = q_right_.visible && q_right_.rect.strictly_contains(x, y);
        if (q_left_grab_ || q_right_grab_) {
            edit_active_ = false;
            return;
        }
    }
    select_eq_index = kNoBand;
    for (int b = 0; b <= eq_num_max_; ++b) {
        if (marker_visible(b) && marker_rect(b).strictly_contains(x, y)) {
            select_eq_index = static_cast<int16_t>(b);
            if (events.MouseClickEQx) events.MouseClickEQx(select_eq_index);
            break;
        }
    }
    const bool hit = select_eq_index != kNoBand;
    display(select_eq_index);
    if (!hit && events.MouseMoveToPEQ) events.MouseMoveToPEQ(kNoBand);
    edit_active_ = false;
}

void PeqModel::move(bool left_only_held, double px, double py) {
    if (!left_only_held || select_eq_index == kNoBand || select_eq_index > eq_num_max_) return;
    const int16_t band = select_eq_index;
    PeqBand& pb = bands_[static_cast<std::size_t>(band)];
    const double x = graph_x(px);
    const double y = graph_y(py);
    edit_active_ = true;
    if (q_left_grab_ || q_right_grab_) {
        const double xb = tuner::freq_to_xy_x(freq_index_to_freq(pb.band_freq_index));
        const double dq = 2.0 * (x - grab_x_);
        pb.band_q_index = static_cast<float>(pb.band_q_index + (q_left_grab_ ? dq : -dq));
        const double side = q_left_grab_ ? -1.0 : 1.0;
        if (pb.band_q_index < pb.q_index_min) {
            pb.band_q_index = pb.q_index_min;
            grab_x_ = xb + side * (marker_width_ + pb.q_index_max / 2.0);
        } else if (pb.band_q_index > pb.q_index_max) {
            pb.band_q_index = pb.q_index_max;
            grab_x_ = xb + side * marker_width_;
        } else {
            grab_x_ = x;
        }
        display(band);
        edit_active_ = false;
        return;
    }
    const double dx = x - grab_x_;
    const double dy = y - grab_y_;
    if (operate_to_step_ && std::fabs(dx) < 1.0 && std::fabs(dy) < db_step_) {
        edit_active_ = false;
        return;
    }
    follow_within(pb.band_freq_index, dx, pb.freq_index_min, pb.freq_index_max, grab_x_, x);
    follow_within(pb.band_gain_db, dy, pb.gain_db_min, pb.gain_db_max, grab_y_, y);
    display(band);
    edit_active_ = false;
}

void PeqModel::release() { mouse_down_ = false; }

}  // namespace tuner
