#include "core/default_image.h"

#include <algorithm>

namespace tuner {

void stamp_frame_header(FrameImage& f, uint8_t command, uint8_t counter) {
    f[hid_frame::report_id] = 0;
    std::copy(std::begin(hid_frame::start_code_bytes), std::end(hid_frame::start_code_bytes),
              f.begin() + hid_frame::start_code);
    f[hid_frame::hid_byte_cmd_inc_cou_1] = counter;
    f[hid_frame::hid_byte_cmd_inc_cou_2] = counter;
    f[hid_frame::command] = command;
    f[hid_frame::RWS] = rws::W;
    f[hid_frame::end] = hid_frame::end_byte;
}

ParamImage neutral_param_image() {
    ParamImage img;

    // High-pass edge at 19.7 Hz, peaking bands at 64 Hz .. 8 kHz in octaves,
    // low-pass edge at 20.2 kHz; all at 0 dB.
    constexpr uint16_t kBandFreqIndex[kEqBands] = {35, 96, 131, 167, 203, 239, 275, 311, 346, 394};
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
        FrameImage& eq = img.eq[ch];
        stamp_frame_header(eq, cmd::eq, 0);
        eq[eq_frame::EQ_CH] = static_cast<uint8_t>(ch);
        eq[eq_frame::eq_chx_enable] = 1;
        eq[eq_frame::eq_chx_bypass] = 0;
        eq[eq_frame::eq_pre_gain_db_index] = 120;
        for (std::size_t b = 0; b < kEqBands; ++b) {
            eq[eq_frame::eq_x_enable + b] = 1;
            eq[eq_frame::eq_type + b] = b == 0 ? 4 : b == 9 ? 3 : 0;
            set_eq_freq(eq, b, kBandFreqIndex[b]);
            eq[eq_frame::eq_q_peq + b] = 14;
            eq[eq_frame::eq_q_shelf + b] = 7;
            eq[eq_frame::eq_q_pass + b] = 7;
            eq[eq_frame::eq_db + b] = 120;
        }
    }

    using namespace gen_frame;
    FrameImage& gen = img.gen;
    stamp_frame_header(gen, cmd::gen, 0);
    for (std::size_t k = 0; k < drc_rec_count; ++k) {
        const std::size_t r = drc(k);
        gen[r + drc_enable] = 0;
        write_u16(gen, r + drc_threshold_db, 10);
        write_u16(gen, r + drc_ratio, 10);
        write_u16(gen, r + drc_attack, 10);
        write_u16(gen, r + drc_release, 100);
    }
    gen[vol_power_on_read_eeprom_function_en] = 1;
    for (std::size_t group : {music_vol_abs_max, mic_vol_abs_max, effect_vol_abs_max}) {
        gen[group + vol_abs_max] = 60;
        gen[group + vol_power_on] = 30;
        gen[group + vol_adj_max] = 60;
        gen[group + vol_level] = 30;
        gen[group + vol_mute] = 0;
    }
    gen[music_input_sel] = 6;
    gen[sub_out_vol] = 20;
    gen[sub_out_music_vol] = 20;
    gen[sub_out_mic_vol] = 20;
    gen[music_noise_suppressor_threshold] = 40;
    write_u16(gen, music_noise_suppressor_ratio, 2);
    write_u16(gen, music_noise_suppressor_attack, 10);
    write_u16(gen, music_noise_suppressor_release, 100);
    gen[mic1_noise_suppressor_threshold] = 40;
    write_u16(gen, mic1_noise_suppressor_ratio, 2);
    write_u16(gen, mic1_noise_suppressor_attack, 10);
    write_u16(gen, mic1_noise_suppressor_release, 100);
    gen[mic1_exciter_vol] = 10;
    gen[mic1_exciter_freq_index_100] = 50;

    using namespace eff_frame;
    FrameImage& eff = img.eff;
    stamp_frame_header(eff, cmd::effect, 0);
    eff[echo_reverb_bili] = 15;
    eff[echo_a_vol] = 15;
    eff[echo_a_delay_l] = 10;  // 180 ms
    eff[echo_a_delay_r] = 10;
    eff[echo_a_repeat] = 12;
    eff[echo_a_lpf] = 20;
    eff[reverb_vol] = 15;
    eff[plate_reverb_predelay] = 20;
    eff[plate_reverb_diffusion] = 15;
    eff[plate_reverb_decay] = 15;
    eff[plate_reverb_damping] = 15;

    param_range_check(img);  // sets the fixed effect bytes
    return img;
}

}  // namespace tuner
