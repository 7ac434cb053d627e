#include "support/distinct_image.h"

#include "core/default_image.h"
#include "core/param_table.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace q = eq_frame;

// Field n of a variant: neighbouring fields step by 7 through the legal range, the variants are 13 apart.
int32_t pick(int32_t lo, int32_t hi, int n, int variant) { return lo + (7 * n + 13 * variant + 3) % (hi - lo + 1); }

void fill_eq_channel(FrameImage& eq, int c, int& n, int variant) {
    eq[q::eq_chx_enable] = static_cast<uint8_t>((c + variant + 1) % 2);
    eq[q::eq_chx_bypass] = static_cast<uint8_t>((c / 2 + variant) % 2);
    eq[q::eq_pre_gain_db_index] = static_cast<uint8_t>(pick(105, 135, n++, variant));  // -3 .. +3 dB
    for (int b = 0; b < 10; ++b) {
        const bool edge = b == 0 || b == 9;  // the pass edges keep their types and 0 dB
        eq[q::eq_x_enable + b] = static_cast<uint8_t>((b + c + variant + 1) % 2);
        if (!edge) eq[q::eq_type + b] = static_cast<uint8_t>((b + c + variant) % 3);
        set_eq_freq(eq, b, static_cast<uint16_t>(35 + 36 * b + 3 * c + variant));           // rising with the band
        if (!edge) eq[q::eq_db + b] = static_cast<uint8_t>(pick(70, 170, 5 * n, variant));  // -10 .. +10 dB
        eq[q::eq_q_peq + b] = static_cast<uint8_t>(pick(1, 250, n, variant));
        eq[q::eq_q_shelf + b] = static_cast<uint8_t>(pick(1, 20, n, variant));
        eq[q::eq_q_pass + b] = static_cast<uint8_t>(pick(1, 20, n++ + 1, variant));
    }
}

}  // namespace

ParamImage distinct_param_image(int variant) {
    ParamImage img = neutral_param_image();  // frame headers and the fixed effect bytes
    int n = 0;
    for (int ch = 0; ch < 10; ++ch) fill_eq_channel(img.eq[ch], ch, n, variant);

    FrameImage& gen = img.gen;
    for (const ParamRow& r : param_table()) {
        using K = ParamKind;
        if (r.frame == ParamFrame::Eq || r.kind == K::Volume || r.kind == K::AdjustMax || r.kind == K::PowerOn)
            continue;
        const bool drc = r.frame == ParamFrame::Drc;
        for (std::size_t k = 0; k < (drc ? g::drc_rec_count : 1); ++k) {
            // The threshold is stored as a magnitude.
            const int32_t v =
                r.kind == K::DrcThreshold ? pick(0, -r.min, n++, variant) : pick(r.min, r.max, n++, variant);
            FrameImage& f = r.frame == ParamFrame::Eff ? img.eff : gen;
            const std::size_t at = (drc ? g::drc(k) : 0) + r.offset;
            r.width == 2 ? write_u16(f, at, static_cast<uint16_t>(v)) : void(f[at] = static_cast<uint8_t>(v));
        }
    }
    // Volume groups: the limit below the absolute maximum, volume and power-on volume below the limit.
    for (std::size_t group : {g::music_vol_abs_max, g::mic_vol_abs_max, g::effect_vol_abs_max}) {
        const int abs_max = 128 - static_cast<int>(group - g::music_vol_abs_max) - 2 * variant;
        gen[group + g::vol_abs_max] = static_cast<uint8_t>(abs_max);
        const int limit = pick(abs_max / 2, abs_max, n++, variant);
        gen[group + g::vol_adj_max] = static_cast<uint8_t>(limit);
        gen[group + g::vol_power_on] = static_cast<uint8_t>(pick(0, limit, n++, variant));
        gen[group + g::vol_level] = static_cast<uint8_t>(pick(0, limit, n++, variant));
    }
    for (std::size_t k = 0; k < g::drc_rec_count; ++k)
        gen[g::drc(k) + g::drc_enable] = static_cast<uint8_t>((k + variant) % 2);
    // Switches (off or on) and selectors (three-way; the feedback filter 0..6).
    for (std::size_t at :
         {g::master_mute, g::music_mute, g::mic_mute, g::effect_mute, g::vol_max_function_en, g::mic1_mic2_eq_adj_mode,
          g::echo_reverb_eq_adj_mode, g::vocal_cut_mode, g::mic_fbx, g::mic_priority, g::main_out_lch_mute,
          g::main_out_rch_mute, g::sub_out_mute, g::sub_out_phase, g::music_noise_suppressor_en,
          g::mic1_noise_suppressor_en, g::mic1_exciter_en}) {
        const bool three_way =
            at == g::mic1_mic2_eq_adj_mode || at == g::echo_reverb_eq_adj_mode || at == g::vocal_cut_mode;
        gen[at] = static_cast<uint8_t>(pick(0, at == g::mic_fbx ? 6 : three_way ? 2 : 1, n++, variant));
    }
    gen[g::music_input_sel] = variant == 0 ? 255 : 6;  // the unit keeps "no input change", a file its input
    return img;
}

}  // namespace tuner::testing
