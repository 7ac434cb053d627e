#include "support/distinct_image.h"

#include "core/default_image.h"
#include "core/param_table.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace q = eq_frame;

// Field n of a variant: neighbouring fields step by 7 through the legal range, the variants are 13 apart.
int32_t pick(int32_t lo, int32_t hi, int n, int variant) { return lo + (7 * n + 13 * variant + 3) % (hi - lo + 1); }

void store(FrameImage& f, std::size_t at, int width, int32_t v) {
    if (width == 2) {
        write_u16(f, at, static_cast<uint16_t>(v));
    } else {
        f[at] = static_cast<uint8_t>(v);
    }
}

void fill_eq_channel(FrameImage& eq, std::size_t ch, int& n, int variant) {
    const int c = static_cast<int>(ch);
    eq[q::eq_chx_enable] = static_cast<uint8_t>((c + variant + 1) % 2);
    eq[q::eq_chx_bypass] = static_cast<uint8_t>((c / 2 + variant) % 2);
    eq[q::eq_pre_gain_db_index] = static_cast<uint8_t>(pick(105, 135, n++, variant));  // -3 .. +3 dB
    for (std::size_t b = 0; b < kEqBands; ++b) {
        const int i = static_cast<int>(b);
        const bool edge = b == 0 || b == kEqBands - 1;  // the pass edges keep their types and 0 dB
        eq[q::eq_x_enable + b] = static_cast<uint8_t>((i + c + variant + 1) % 2);
        if (!edge) eq[q::eq_type + b] = static_cast<uint8_t>((i + c + variant) % 3);
        set_eq_freq(eq, b, static_cast<uint16_t>(35 + 36 * i + 3 * c + variant));           // rising with the band
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
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) fill_eq_channel(img.eq[ch], ch, n, variant);

    FrameImage& gen = img.gen;
    for (const ParamRow& r : param_table()) {
        using K = ParamKind;
        if (r.frame == ParamFrame::Eq || r.kind == K::Volume || r.kind == K::AdjustMax || r.kind == K::PowerOn)
            continue;
        const bool drc = r.frame == ParamFrame::Drc;
        for (std::size_t k = 0; k < (drc ? g::drc_rec_count : 1); ++k) {
            FrameImage& f = r.frame == ParamFrame::Eff ? img.eff : gen;
            if (r.kind == K::DrcThreshold) {  // stored as a magnitude in the low byte
                store(f, g::drc(k) + r.offset, 2, pick(0, -r.min, n++, variant));
            } else {
                store(f, (drc ? g::drc(k) : 0) + r.offset, r.width, pick(r.min, r.max, n++, variant));
            }
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
    // Switches and selectors, each with its own legal range.
    struct Switch {
        std::size_t offset;
        uint8_t max;
    };
    for (std::size_t k = 0; k < g::drc_rec_count; ++k)
        gen[g::drc(k) + g::drc_enable] = static_cast<uint8_t>((k + variant) % 2);
    for (const Switch& sw : {Switch{g::master_mute, 1},
                             {g::music_mute, 1},
                             {g::mic_mute, 1},
                             {g::effect_mute, 1},
                             {g::vol_max_function_en, 1},
                             {g::mic1_mic2_eq_adj_mode, 2},
                             {g::echo_reverb_eq_adj_mode, 2},
                             {g::vocal_cut_mode, 2},
                             {g::mic_fbx, 6},
                             {g::mic_priority, 1},
                             {g::main_out_lch_mute, 1},
                             {g::main_out_rch_mute, 1},
                             {g::sub_out_mute, 1},
                             {g::sub_out_phase, 1},
                             {g::music_noise_suppressor_en, 1},
                             {g::mic1_noise_suppressor_en, 1},
                             {g::mic1_exciter_en, 1}})
        gen[sw.offset] = static_cast<uint8_t>(pick(0, sw.max, n++, variant));
    gen[g::music_input_sel] = 255;  // no input change
    return img;
}

}  // namespace tuner::testing
