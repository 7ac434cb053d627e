#include "core/param_table.h"

#include <array>

#include "core/value_tables.h"

namespace tuner {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;
namespace q = eq_frame;
using F = ParamFrame;
using K = ParamKind;
using T = ValueTable;

// Limits of the slider-bound kinds come from their sliders at run time; the
// numbers here are the ranges the sliders are given at start-up.
constexpr std::array kRows{
    // Compressor record of the current tab.
    ParamRow{"drc_attack", F::Drc, g::drc_attack, 2, K::Drc16, 0, 5000, T::None, "Text_drc_attack", "", "", false},
    ParamRow{"drc_ratio", F::Drc, g::drc_ratio, 2, K::Drc16, 1, 1000, T::None, "Text_drc_ratio", "", "", false},
    ParamRow{"drc_release", F::Drc, g::drc_release, 2, K::Drc16, 0, 5000, T::None, "Text_drc_release", "", "", false},
    ParamRow{"drc_threshold_db", F::Drc, g::drc_threshold_db, 2, K::DrcThreshold, -35, 0, T::None,
             "Text_drc_threshold_db", "vr_drc_threshold_db", "", false},
    // Echo and reverb.
    ParamRow{"echo_a_delay_l", F::Eff, e::echo_a_delay_l, 1, K::EchoDelay, 0, 30, T::EchoDelay, "Text_echo_a_delay_l",
             "VR_echo_a_delay_l", "", false},
    ParamRow{"echo_a_delay_r", F::Eff, e::echo_a_delay_r, 1, K::EchoDelay, 0, 30, T::EchoDelay, "Text_echo_a_delay_r",
             "VR_echo_a_delay_r", "", false},
    ParamRow{"echo_a_lpf", F::Eff, e::echo_a_lpf, 1, K::Plain, 0, 30, T::None, "Text_echo_a_lpf", "VR_echo_a_lpf", "",
             false},
    ParamRow{"echo_a_repeat", F::Eff, e::echo_a_repeat, 1, K::Plain, 0, 30, T::None, "Text_echo_a_repeat",
             "VR_echo_a_repeat", "", false},
    ParamRow{"echo_a_vol", F::Eff, e::echo_a_vol, 1, K::Plain, 0, 30, T::None, "Text_echo_a_vol", "VR_echo_a_vol", "",
             false},
    ParamRow{"reverb_vol", F::Eff, e::reverb_vol, 1, K::Plain, 0, 30, T::None, "Text_reverb_vol", "VR_reverb_vol", "",
             false},
    ParamRow{"echo_reverb_bili", F::Eff, e::echo_reverb_bili, 1, K::Plain, 0, 30, T::None, "text_echo_reverb_bili",
             "vr_echo_reverb_bili", "", false},
    // Noise gates and exciter.
    ParamRow{"music_noise_suppressor_attack", F::Gen, g::music_noise_suppressor_attack, 2, K::Gate16, 0, 5000, T::None,
             "Text_music_noise_suppressor_attack", "", "", false},
    ParamRow{"music_noise_suppressor_ratio", F::Gen, g::music_noise_suppressor_ratio, 2, K::Gate16, 1, 1000, T::None,
             "Text_music_noise_suppressor_ratio", "", "", false},
    ParamRow{"music_noise_suppressor_release", F::Gen, g::music_noise_suppressor_release, 2, K::Gate16, 0, 5000,
             T::None, "Text_music_noise_suppressor_release", "", "", false},
    ParamRow{"music_noise_suppressor_threshold", F::Gen, g::music_noise_suppressor_threshold, 1, K::Level, 30, 80,
             T::None, "Text_music_noise_suppressor_threshold", "VR_music_noise_suppressor_threshold", "", false},
    ParamRow{"mic1_noise_suppressor_attack", F::Gen, g::mic1_noise_suppressor_attack, 2, K::Gate16, 0, 5000, T::None,
             "Text_mic1_noise_suppressor_attack", "", "", false},
    ParamRow{"mic1_noise_suppressor_ratio", F::Gen, g::mic1_noise_suppressor_ratio, 2, K::Gate16, 1, 1000, T::None,
             "Text_mic1_noise_suppressor_ratio", "", "", false},
    ParamRow{"mic1_noise_suppressor_release", F::Gen, g::mic1_noise_suppressor_release, 2, K::Gate16, 0, 5000, T::None,
             "Text_mic1_noise_suppressor_release", "", "", false},
    ParamRow{"mic1_noise_suppressor_threshold", F::Gen, g::mic1_noise_suppressor_threshold, 1, K::Level, 30, 80,
             T::None, "Text_mic1_noise_suppressor_threshold", "VR_mic1_noise_suppressor_threshold", "", false},
    ParamRow{"mic1_exciter_vol", F::Gen, g::mic1_exciter_vol, 1, K::Level, 0, 30, T::None, "Text_mic1_exciter_vol",
             "VR_mic1_exciter_vol", "", false},
    ParamRow{"mic1_exciter_freq_index_100", F::Gen, g::mic1_exciter_freq_index_100, 1, K::ExciterFreq, 0, 100,
             T::ExciterFreq, "Text_mic1_exciter_freq_index_100", "VR_mic1_exciter_freq_index_100", "", false},
    // Volume limits, power-on volumes and volumes.
    ParamRow{"music_vol_adj_max", F::Gen, g::music_vol_adj_max, 1, K::AdjustMax, 0, 255, T::None,
             "Text_music_vol_adj_max", "", "vr_music_vol", false},
    ParamRow{"mic_vol_adj_max", F::Gen, g::mic_vol_adj_max, 1, K::AdjustMax, 0, 255, T::None, "Text_mic_vol_adj_max",
             "", "vr_mic_vol", false},
    ParamRow{"effect_vol_adj_max", F::Gen, g::effect_vol_adj_max, 1, K::AdjustMax, 0, 255, T::None,
             "Text_effect_vol_adj_max", "", "vr_effect_vol", false},
    ParamRow{"music_vol_power_on", F::Gen, g::music_vol_power_on, 1, K::PowerOn, 0, 255, T::None,
             "Text_music_vol_power_on", "", "vr_music_vol", false},
    ParamRow{"mic_vol_power_on", F::Gen, g::mic_vol_power_on, 1, K::PowerOn, 0, 255, T::None, "Text_mic_vol_power_on",
             "", "vr_mic_vol", false},
    ParamRow{"effect_vol_power_on", F::Gen, g::effect_vol_power_on, 1, K::PowerOn, 0, 255, T::None,
             "Text_effect_vol_power_on", "", "vr_effect_vol", false},
    ParamRow{"music_vol", F::Gen, g::music_vol, 1, K::Volume, 0, 255, T::None, "Text_music_vol", "vr_music_vol", "",
             false},
    ParamRow{"mic_vol", F::Gen, g::mic_vol, 1, K::Volume, 0, 255, T::None, "Text_mic_vol", "vr_mic_vol", "", false},
    ParamRow{"effect_vol", F::Gen, g::effect_vol, 1, K::Volume, 0, 255, T::None, "Text_effect_vol", "vr_effect_vol", "",
             false},
    // Plate reverb.
    ParamRow{"plate_reverb_damping", F::Eff, e::plate_reverb_damping, 1, K::Plain, 0, 30, T::None,
             "Text_plate_reverb_damping", "VR_plate_reverb_damping", "", false},
    ParamRow{"plate_reverb_decay", F::Eff, e::plate_reverb_decay, 1, K::Plain, 0, 30, T::None,
             "Text_plate_reverb_decay", "VR_plate_reverb_decay", "", false},
    ParamRow{"plate_reverb_diffusion", F::Eff, e::plate_reverb_diffusion, 1, K::Plain, 0, 30, T::None,
             "Text_plate_reverb_diffusion", "VR_plate_reverb_diffusion", "", false},
    ParamRow{"plate_reverb_predelay", F::Eff, e::plate_reverb_predelay, 1, K::Plain, 0, 100, T::None,
             "Text_plate_reverb_predelay", "VR_plate_reverb_predelay", "", false},
    // Sub output.
    ParamRow{"sub_out_music_vol", F::Gen, g::sub_out_music_vol, 1, K::Plain, 0, 30, T::None, "Text_sub_out_music_vol",
             "VR_sub_out_music_vol", "", false},
    ParamRow{"sub_out_mic_vol", F::Gen, g::sub_out_mic_vol, 1, K::Plain, 0, 30, T::None, "Text_sub_out_mic_vol",
             "VR_sub_out_mic_vol", "", false},
    ParamRow{"sub_out_vol", F::Gen, g::sub_out_vol, 1, K::Plain, 0, 30, T::None, "Text_sub_out_vol", "VR_sub_out_vol",
             "", false},
    // EQ of the current channel.
    ParamRow{"eq_db", F::Eq, q::eq_db, 1, K::EqDb, 30, 180, T::EqGain, "Text_eq_db", "vr_eq_db", "", true},
    ParamRow{"eq_freq", F::Eq, q::eq_freq_high, 2, K::EqFreq, 35, 395, T::EqFreq, "Text_eq_freq", "vr_eq_freq", "",
             true},
    ParamRow{"eq_q", F::Eq, q::eq_q_peq, 1, K::EqQ, 1, 250, T::EqQ, "Text_eq_q", "", "", true},
    ParamRow{"eq_pre_gain_db_index", F::Eq, q::eq_pre_gain_db_index, 1, K::EqPreGain, 30, 180, T::EqGain,
             "Text_eq_pre_gain_db_index", "vr_eq_pre_gain_db_index", "", false},
};

template <class Pred>
const ParamRow* find_row(Pred pred) {
    for (const ParamRow& r : kRows)
        if (pred(r)) return &r;
    return nullptr;
}

std::size_t channel(const AppState& s) { return s.eq_channel_sel < kEqChannels ? s.eq_channel_sel : 0; }
std::size_t record(const AppState& s) { return s.drc_channel_sel < gen_frame::drc_rec_count ? s.drc_channel_sel : 0; }
std::size_t band_of(int band) { return band >= 0 && band < static_cast<int>(kEqBands) ? band : 0; }

}  // namespace

std::span<const ParamRow> param_table() { return kRows; }

const ParamRow* find_param(std::string_view name) {
    return find_row([&](const ParamRow& r) { return r.name == name; });
}
const ParamRow* find_param_by_text_box(std::string_view box) {
    return find_row([&](const ParamRow& r) { return r.text_box == box; });
}
const ParamRow* find_param_by_slider(std::string_view slider) {
    return find_row([&](const ParamRow& r) { return !r.slider.empty() && r.slider == slider; });
}

std::size_t param_offset(const AppState& s, const ParamRow& row, int band) {
    switch (row.frame) {
        case ParamFrame::Drc: return gen_frame::drc(record(s)) + row.offset;
        case ParamFrame::Eq: {
            if (!row.per_band) return row.offset;
            const std::size_t b = band_of(band);
            if (row.kind == ParamKind::EqQ)
                return eq_q_row_for_type(s.param_image.eq[channel(s)][eq_frame::eq_type + b]) + b;
            return row.offset + b;
        }
        default: return row.offset;
    }
}

FrameImage& param_frame(AppState& s, const ParamRow& row) {
    switch (row.frame) {
        case ParamFrame::Eff: return s.param_image.eff;
        case ParamFrame::Eq: return s.param_image.eq[channel(s)];
        default: return s.param_image.gen;
    }
}
const FrameImage& param_frame(const AppState& s, const ParamRow& row) {
    return param_frame(const_cast<AppState&>(s), row);
}
FrameImage& param_cache_frame(AppState& s, const ParamRow& row) {
    switch (row.frame) {
        case ParamFrame::Eff: return s.param_display_cache.eff;
        case ParamFrame::Eq: return s.param_display_cache.eq[channel(s)];
        default: return s.param_display_cache.gen;
    }
}

int32_t param_get(const AppState& s, const ParamRow& row, int band) {
    const FrameImage& f = param_frame(s, row);
    if (row.kind == ParamKind::EqFreq) return eq_freq(f, band_of(band));
    const std::size_t off = param_offset(s, row, band);
    return row.width == 2 ? read_u16(f, off) : f[off];
}

void param_set(AppState& s, const ParamRow& row, int32_t v, int band) {
    FrameImage& f = param_frame(s, row);
    const auto u = static_cast<uint16_t>(v);
    if (row.kind == ParamKind::EqFreq) return set_eq_freq(f, band_of(band), u);
    const std::size_t off = param_offset(s, row, band);
    if (row.width == 2)
        write_u16(f, off, u);
    else
        f[off] = static_cast<uint8_t>(u);
}

int16_t& param_send_word(AppState& s, const ParamRow& row) {
    switch (row.frame) {
        case ParamFrame::Eff: return s.send_effect_req;
        case ParamFrame::Eq: return s.send_eq_req[channel(s)];
        default: return s.send_gen_req;
    }
}

void param_raise(AppState& s, const ParamRow& row) {
    if (cpu_connected(s)) param_send_word(s, row) = kPending;
}

bool param_shows_raw(const AppState& s, const ParamRow& row) {
    return row.kind == ParamKind::EchoDelay && row.offset == eff_frame::echo_a_delay_r && echo_delay_r_raw(s);
}

double param_shown_value(const AppState& s, const ParamRow& row, int32_t stored) {
    if (param_shows_raw(s, row)) return stored;
    switch (row.table) {
        case ValueTable::EchoDelay: return echo_delay_at(stored);
        case ValueTable::ExciterFreq: return exciter_freq_at(stored);
        case ValueTable::EqFreq: return eq_freq_at(stored);
        case ValueTable::EqGain: return eq_gain_at(stored);
        case ValueTable::EqQ: return eq_q_at(stored);
        case ValueTable::None: break;
    }
    return stored;
}

}  // namespace tuner
