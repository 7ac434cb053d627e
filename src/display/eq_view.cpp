// The EQ view of the current channel: its on/off and bypass state, its
// pre-gain, each band's editing limits by filter type, and everything shown
// of one band; the band columns by the channel's band count.
#include <algorithm>
#include <array>
#include <string>

#include "controls/text_input.h"
#include "core/eq_filter.h"
#include "core/value_tables.h"
#include "display/display.h"
#include "display/display_colors.h"

namespace tuner {
namespace {

namespace q = eq_frame;

enum class TypeGroup : uint8_t { Peaking, LowShelf, HighShelf, LowPass, HighPass, None };

TypeGroup type_group(uint8_t type) {
    if (is_low_pass_group(type)) return TypeGroup::LowPass;
    if (is_high_pass_group(type)) return TypeGroup::HighPass;
    if (type == eq_type::low_shelf) return TypeGroup::LowShelf;
    if (type == eq_type::high_shelf) return TypeGroup::HighShelf;
    if (type == eq_type::peaking) return TypeGroup::Peaking;
    return TypeGroup::None;
}

struct BandLimits {
    int q_min, q_max, gain_min, gain_max;
};
// Frequency index 35..395 for every group; pass filters keep 0 dB.
constexpr int kFreqMin = 35, kFreqMax = 395;
constexpr std::array<BandLimits, 5> kLimits{
    BandLimits{1, 250, 30, 180},  // peaking
    BandLimits{1, 20, 30, 180},   // low shelf
    BandLimits{1, 20, 30, 180},   // high shelf
    BandLimits{1, 20, 120, 120},  // low pass
    BandLimits{1, 20, 120, 120},  // high pass
};
// Type buttons in group order.
constexpr std::array<std::string_view, 5> kTypeButtons{"key_eq_type_peq", "key_eq_type_ls", "key_eq_type_hs",
                                                       "key_eq_type_lp", "key_eq_type_hp"};

// Bypass and off captions on the graph: left, top, font size, colour.
constexpr int kCaptionX = 118, kCaptionY = 1, kCaptionSize = 60;

std::string gain_text(int index) { return format_number_text(double_to_text(eq_gain_at(index)), "0.0"); }

bool valid_band(int band) { return band >= 0 && band < static_cast<int>(kEqBands); }

}  // namespace

void Display::set_eq_enable_seg_display() {
    // Columns 0 and 9 are the fixed edge bands and always stay.
    const int n = s_.eq_band_count[eq_ch()];
    for (int i = 1; i <= 8; ++i) v_.set_visible({"Picture_eqx", i}, i <= n);
}

void Display::display_eq_bypass() {
    const FrameImage& eq = s_.param_image.eq[eq_ch()];
    const uint8_t enable = eq[q::eq_chx_enable];
    const uint8_t bypass = eq[q::eq_chx_bypass];
    if (enable == 0)
        v_.peq_Dis_Bypass_on(kCaptionX, kCaptionY, kCaptionSize, " OFF ", kWhite);
    else if (bypass == 1)
        v_.peq_Dis_Bypass_on(kCaptionX, kCaptionY, kCaptionSize, "BYPASS", kWhite);
    else
        v_.peq_Dis_Bypass_off();
    v_.set_back_color({"key_eq_chx_enable"}, lit_if(enable != 0));
    v_.set_back_color({"key_eq_chx_bypass"}, lit_if(bypass != 0));
}

void Display::display_eq_pre_gain() {
    FrameImage& eq = s_.param_image.eq[eq_ch()];
    const Ctl slider{"vr_eq_pre_gain_db_index"};
    const int32_t max = v_.slider_max(slider);
    uint8_t& index = eq[q::eq_pre_gain_db_index];
    if (index > max) {
        // Lowered to what the slider can show, as the band gains are; the
        // diagnostic goes to the debug list instead of stopping the refresh,
        // once per value however often the unit sends it back.
        const int fault = static_cast<int>(eq_ch()) * 256 + index;
        if (fault != reported_pre_gain_)
            debug("FrmMain.VR_eq_pre_gain_db_index.max error," + std::to_string(v_.slider_value(slider)) +
                  std::to_string(max));
        reported_pre_gain_ = fault;
        index = static_cast<uint8_t>(std::max<int32_t>(max, 0));
    }
    // Below the slider's reach the byte stays as the unit or the file gave it:
    // the slider refuses the value (its error text shows) and its thumb stands
    // at its lowest end, while the box and the graph show the byte's own gain.
    // Only the user's own edit writes it. A thumb the user is dragging stays
    // under the pointer.
    v_.set_slider_value(slider, index);
    const int32_t lowest = v_.slider_min(slider);
    if (index < lowest && !v_.slider_dragging(slider)) v_.set_slider_value(slider, lowest);
    v_.set_text({"Text_eq_pre_gain_db_index"}, gain_text(index));
    v_.peq_input_pre_gain(index);
}

void Display::display_eq_band_limits(int band) {
    if (!valid_band(band)) return;
    const TypeGroup grp = type_group(s_.param_image.eq[eq_ch()][q::eq_type + band]);
    if (grp == TypeGroup::None) return;
    const BandLimits& l = kLimits[static_cast<std::size_t>(grp)];
    v_.peq_EQ_init(band, kFreqMin, kFreqMax, l.q_min, l.q_max, l.gain_min, l.gain_max, true);
}

void Display::display_eq_band(int band) {
    if (!valid_band(band)) return;
    const auto b = static_cast<std::size_t>(band);
    FrameImage& eq = s_.param_image.eq[eq_ch()];
    FrameImage& cache = s_.param_display_cache.eq[eq_ch()];
    const bool inc = !full();
    auto same = [&](std::size_t row) { return eq[row + b] == cache[row + b]; };
    bool changed = false;

    const uint8_t type = eq[q::eq_type + b];
    if (!(inc && same(q::eq_type))) {
        changed = true;
        display_eq_band_limits(band);
        const TypeGroup grp = type_group(type);
        if (grp != TypeGroup::None)
            for (std::size_t i = 0; i < kTypeButtons.size(); ++i)
                v_.set_back_color({kTypeButtons[i], band}, lit_if(i == static_cast<std::size_t>(grp)));
    }

    if (!(inc && same(q::eq_x_enable))) {
        changed = true;
        uint8_t& enable = eq[q::eq_x_enable + b];
        if (enable > 1) enable = 1;
        v_.peq_Set_eq_index_enable(band, enable);
        v_.set_value({"Check_eq_x_enable", band}, enable == 1 ? 1 : 0);
    }

    if (!(inc && same(q::eq_db))) {
        changed = true;
        uint8_t& db = eq[q::eq_db + b];
        const int32_t max = v_.slider_max({"vr_eq_db", band});
        if (db > max) db = static_cast<uint8_t>(std::max<int32_t>(max, 0));
        v_.set_slider_value({"vr_eq_db", band}, db);
        v_.set_text({"Text_eq_db", band}, gain_text(db));
    }

    const int freq = eq_freq(eq, b);
    if (!(inc && same(q::eq_freq_high) && same(q::eq_freq_low))) {
        changed = true;
        v_.set_slider_value({"vr_eq_freq", band}, freq);
        v_.set_text({"Text_eq_freq", band}, double_to_text(eq_freq_at(freq)));
    }

    const uint8_t q_index = eq[eq_q_row_for_type(type) + b];
    if (!(inc && same(q::eq_type) && same(q::eq_q_peq) && same(q::eq_q_shelf) && same(q::eq_q_pass))) {
        changed = true;
        const double qv = eq_q_at(q_index);
        v_.set_text({"Text_eq_q", band}, format_number_text(double_to_text(qv), qv < 100 ? "0.0" : "0"));
    }

    if (changed) v_.peq_EqIn(band, type, freq, q_index, eq[q::eq_db + b]);

    for (std::size_t row : {q::eq_type, q::eq_x_enable, q::eq_db, q::eq_freq_high, q::eq_freq_low, q::eq_q_peq,
                            q::eq_q_shelf, q::eq_q_pass})
        cache[row + b] = eq[row + b];
}

}  // namespace tuner
