#include "core/param_image.h"

#include "core/eq_filter.h"

namespace tuner {

FrameImage& ParamImage::frame(std::size_t index) {
    if (index < kEqChannels) return eq[index];
    return index == kEqChannels ? gen : eff;
}

const FrameImage& ParamImage::frame(std::size_t index) const {
    if (index < kEqChannels) return eq[index];
    return index == kEqChannels ? gen : eff;
}

namespace {

void at_most(uint8_t& b, uint8_t limit) {
    if (b > limit) b = limit;
}

void within(uint8_t& b, uint8_t lo, uint8_t hi) {
    if (b < lo) b = lo;
    if (b > hi) b = hi;
}

// A 16-bit field is written back only when it is out of range. Fields are
// read unsigned, so a high byte of 128 or more is simply above the limit.
void within_u16(FrameImage& f, std::size_t off, uint16_t lo, uint16_t hi) {
    const uint16_t v = read_u16(f, off);
    if (v > hi) {
        write_u16(f, off, hi);
    } else if (v < lo) {
        write_u16(f, off, lo);
    }
}

void clamp_volume_group(FrameImage& gen, std::size_t abs_max) {
    using namespace gen_frame;
    uint8_t& max = gen[abs_max + vol_abs_max];
    if (max == 0 || max > 128) max = 128;
    at_most(gen[abs_max + vol_level], max);
    at_most(gen[abs_max + vol_power_on], max);
    at_most(gen[abs_max + vol_adj_max], max);
}

}  // namespace

void param_range_check(ParamImage& image) {
    using namespace gen_frame;
    FrameImage& gen = image.gen;

    clamp_volume_group(gen, music_vol_abs_max);
    clamp_volume_group(gen, mic_vol_abs_max);
    clamp_volume_group(gen, effect_vol_abs_max);

    gen[vol_power_on_read_eeprom_function_en] = 1;

    for (auto& eq : image.eq) {
        for (std::size_t b = 0; b < kEqBands; ++b) {
            const uint16_t f = eq_freq(eq, b);
            if (f > 395) {
                set_eq_freq(eq, b, 395);
            } else if (f < 35) {
                set_eq_freq(eq, b, 35);
            }
            within(eq[eq_frame::eq_q_peq + b], 1, 250);
            within(eq[eq_frame::eq_q_shelf + b], 1, 20);
            within(eq[eq_frame::eq_q_pass + b], 1, 20);
            within(eq[eq_frame::eq_db + b], 30, 180);
        }
        // A channel the user switched off stays off; any other value means on.
        if (eq[eq_frame::eq_chx_enable] != 0) eq[eq_frame::eq_chx_enable] = 1;
        // The first band is always the high-pass edge, the last the low-pass
        // edge, both at 0 dB.
        eq[eq_frame::eq_type + 0] = eq_type::high_pass;
        eq[eq_frame::eq_type + kEqBands - 1] = eq_type::low_pass;
        eq[eq_frame::eq_db + 0] = 120;
        eq[eq_frame::eq_db + kEqBands - 1] = 120;
    }

    within(gen[music_noise_suppressor_threshold], 30, 80);
    within_u16(gen, music_noise_suppressor_ratio, 1, 1000);
    within_u16(gen, music_noise_suppressor_attack, 0, 5000);
    within_u16(gen, music_noise_suppressor_release, 0, 5000);

    within(gen[mic1_noise_suppressor_threshold], 30, 80);
    at_most(gen[mic1_exciter_vol], 30);
    at_most(gen[mic1_exciter_freq_index_100], 100);
    within_u16(gen, mic1_noise_suppressor_ratio, 1, 1000);
    within_u16(gen, mic1_noise_suppressor_attack, 0, 5000);
    within_u16(gen, mic1_noise_suppressor_release, 0, 5000);

    for (std::size_t k = 0; k < drc_rec_count; ++k) {
        const std::size_t r = drc(k);
        gen[r + drc_reserved] = 0;
        gen[r + drc_threshold_db] = 0;
        at_most(gen[r + drc_threshold_db + 1], 35);
        within_u16(gen, r + drc_ratio, 1, 1000);
        within_u16(gen, r + drc_attack, 0, 5000);
        within_u16(gen, r + drc_release, 0, 5000);
    }

    for (const eff_frame::ForcedByte& b : eff_frame::forced_bytes) image.eff[b.offset] = b.value;
}

}  // namespace tuner
