// The 3084-byte parameter image: twelve 257-byte frame images (ten EQ
// channels, the general frame and the effect frame), each laid out exactly
// like a HID frame so that it can be sent and stored whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tuner {

constexpr std::size_t kFrameSize = 257;
constexpr std::size_t kEqChannels = 10;
constexpr std::size_t kEqBands = 10;
constexpr std::size_t kImageSize = kFrameSize * 12;  // 3084

using FrameImage = std::array<uint8_t, kFrameSize>;

// Common layout of every frame (offsets count the report id as byte 0).
namespace hid_frame {
constexpr std::size_t report_id = 0;
constexpr std::size_t start_code = 1;  // 4 bytes: A5 5A 01 FB
constexpr uint8_t start_code_bytes[4] = {0xA5, 0x5A, 0x01, 0xFB};
constexpr std::size_t hid_byte_cmd_inc_cou_1 = 5;
constexpr std::size_t command = 6;
constexpr std::size_t RWS = 7;
constexpr std::size_t payload = 8;  // 8..163 parameters
constexpr std::size_t payload_end = 163;
constexpr std::size_t status_begin = 164;  // 164..253 unit status
constexpr std::size_t busy_time = 253;     // in units of 100 ms
constexpr std::size_t hid_byte_cmd_inc_cou_2 = 254;
constexpr std::size_t CHECK = 255;
constexpr std::size_t end = 256;
constexpr uint8_t end_byte = 0xFF;
}  // namespace hid_frame

// Read/write selector values.
namespace rws {
constexpr uint8_t R = 0;  // read request
constexpr uint8_t W = 1;  // write
constexpr uint8_t S = 2;  // data sent by the unit
}  // namespace rws

// Command numbers (frame byte 6).
namespace cmd {
constexpr uint8_t eeprom_mode = 5;
constexpr uint8_t eq = 6;
constexpr uint8_t effect = 7;
constexpr uint8_t gen = 8;
constexpr uint8_t bt_name = 9;
constexpr uint8_t power = 11;
constexpr uint8_t audio_mode_config = 12;
constexpr uint8_t cpu_test = 13;
}  // namespace cmd

// eq_frame fields; per-band rows take the band number b as an offset.
namespace eq_frame {
constexpr std::size_t EQ_CH = 8;
constexpr std::size_t eq_chx_enable = 33;
constexpr std::size_t eq_chx_bypass = 34;
constexpr std::size_t eq_pre_gain_db_index = 35;
constexpr std::size_t eq_x_enable = 36;
constexpr std::size_t eq_type = 46;
constexpr std::size_t eq_freq_high = 56;
constexpr std::size_t eq_freq_low = 66;
constexpr std::size_t eq_q_peq = 76;
constexpr std::size_t eq_q_shelf = 86;
constexpr std::size_t eq_q_pass = 96;
constexpr std::size_t eq_db = 106;
}  // namespace eq_frame

// gen_frame fields.
namespace gen_frame {
constexpr std::size_t drc_rec = 9;  // record k starts at drc_rec + drc_rec_size * k
constexpr std::size_t drc_rec_size = 11;
constexpr std::size_t drc_rec_count = 5;
// Offsets inside one drc_rec.
constexpr std::size_t drc_enable = 0;
constexpr std::size_t drc_reserved = 1;
constexpr std::size_t drc_threshold_db = 2;  // u16 BE
constexpr std::size_t drc_ratio = 4;         // u16 BE
constexpr std::size_t drc_attack = 6;        // u16 BE
constexpr std::size_t drc_release = 8;       // u16 BE

// Volume groups (music, mic, effect): five bytes from the group's abs max.
constexpr std::size_t vol_abs_max = 0;
constexpr std::size_t vol_power_on = 1;
constexpr std::size_t vol_adj_max = 2;
constexpr std::size_t vol_level = 3;  // the volume itself
constexpr std::size_t vol_mute = 4;

constexpr std::size_t mic1_mic2_eq_adj_mode = 74;
constexpr std::size_t echo_reverb_eq_adj_mode = 75;
constexpr std::size_t master_mute = 76;
constexpr std::size_t vol_max_function_en = 77;
constexpr std::size_t vol_power_on_read_eeprom_function_en = 78;
constexpr std::size_t music_vol_abs_max = 79;
constexpr std::size_t music_vol_power_on = 80;
constexpr std::size_t music_vol_adj_max = 81;
constexpr std::size_t music_vol = 82;
constexpr std::size_t music_mute = 83;
constexpr std::size_t mic_vol_abs_max = 84;
constexpr std::size_t mic_vol_power_on = 85;
constexpr std::size_t mic_vol_adj_max = 86;
constexpr std::size_t mic_vol = 87;
constexpr std::size_t mic_mute = 88;
constexpr std::size_t effect_vol_abs_max = 89;
constexpr std::size_t effect_vol_power_on = 90;
constexpr std::size_t effect_vol_adj_max = 91;
constexpr std::size_t effect_vol = 92;
constexpr std::size_t effect_mute = 93;
constexpr std::size_t music_input_sel = 99;
constexpr std::size_t vocal_cut_mode = 101;
constexpr std::size_t mic_fbx = 107;
constexpr std::size_t mic_priority = 108;
constexpr std::size_t main_out_lch_mute = 112;
constexpr std::size_t main_out_rch_mute = 113;
constexpr std::size_t sub_out_vol = 116;
constexpr std::size_t sub_out_music_vol = 117;
constexpr std::size_t sub_out_mic_vol = 118;
constexpr std::size_t sub_out_mute = 119;
constexpr std::size_t sub_out_phase = 120;
constexpr std::size_t lock = 130;
constexpr std::size_t music_noise_suppressor_en = 132;
constexpr std::size_t music_noise_suppressor_threshold = 133;
constexpr std::size_t music_noise_suppressor_ratio = 134;    // u16 BE
constexpr std::size_t music_noise_suppressor_attack = 136;   // u16 BE
constexpr std::size_t music_noise_suppressor_release = 138;  // u16 BE
constexpr std::size_t mic1_noise_suppressor_en = 141;
constexpr std::size_t mic1_noise_suppressor_threshold = 142;
constexpr std::size_t mic1_noise_suppressor_ratio = 143;    // u16 BE
constexpr std::size_t mic1_noise_suppressor_attack = 145;   // u16 BE
constexpr std::size_t mic1_noise_suppressor_release = 147;  // u16 BE
constexpr std::size_t mic1_exciter_en = 159;
constexpr std::size_t mic1_exciter_vol = 160;
constexpr std::size_t mic1_exciter_freq_index_100 = 161;

// Start of record k.
constexpr std::size_t drc(std::size_t k) { return drc_rec + drc_rec_size * k; }

static_assert(music_vol_power_on == music_vol_abs_max + vol_power_on && music_vol == music_vol_abs_max + vol_level);
static_assert(mic_vol_adj_max == mic_vol_abs_max + vol_adj_max && mic_mute == mic_vol_abs_max + vol_mute);
static_assert(effect_vol == effect_vol_abs_max + vol_level && effect_mute == effect_vol_abs_max + vol_mute);
}  // namespace gen_frame

// eff_frame fields.
namespace eff_frame {
constexpr std::size_t echo_reverb_bili = 9;
constexpr std::size_t echo_a_vol = 13;
constexpr std::size_t echo_a_delay_l = 17;
constexpr std::size_t echo_a_delay_r = 18;
constexpr std::size_t echo_a_repeat = 20;
constexpr std::size_t echo_a_lpf = 21;
constexpr std::size_t reverb_vol = 43;
constexpr std::size_t plate_reverb_predelay = 60;
constexpr std::size_t plate_reverb_diffusion = 61;
constexpr std::size_t plate_reverb_decay = 62;
constexpr std::size_t plate_reverb_damping = 63;

// Bytes the unit expects at fixed values (their meaning is the unit's); the
// range clamp sets them, nothing edits them.
struct ForcedByte {
    std::size_t offset;
    uint8_t value;
};
constexpr ForcedByte forced_bytes[] = {
    {8, 30}, {10, 1}, {11, 1}, {16, 255}, {19, 255}, {25, 0}, {26, 0}, {40, 0}, {41, 0}, {54, 1}, {55, 0},
};
}  // namespace eff_frame

// Command 5 payload, the unit's stored audio modes. Every operation starts
// from zeros with both mode bytes at no_mode, then sets its own bytes.
namespace eeprom_frame {
constexpr std::size_t save_flag = 8;  // 1: store the current state as save_mode
constexpr std::size_t save_mode = 9;
constexpr std::size_t recall_flag = 10;  // 1: recall recall_mode
constexpr std::size_t recall_mode = 11;
constexpr std::size_t reset = 15;  // 3 bytes: reset the current mode, a middle byte, reset all modes
constexpr uint8_t no_mode = 0xFF;
}  // namespace eeprom_frame

// The whole image. Members keep the system's names; the struct is exactly
// 3084 contiguous bytes, in file and wire order.
struct ParamImage {
    std::array<FrameImage, kEqChannels> eq{};
    FrameImage gen{};
    FrameImage eff{};

    uint8_t* data() { return eq[0].data(); }
    const uint8_t* data() const { return eq[0].data(); }
    static constexpr std::size_t size() { return kImageSize; }
    uint8_t& operator[](std::size_t i) { return data()[i]; }
    uint8_t operator[](std::size_t i) const { return data()[i]; }

    // Frame image by position 0..11 (0..9 EQ, 10 gen, 11 eff).
    FrameImage& frame(std::size_t index);
    const FrameImage& frame(std::size_t index) const;

    bool operator==(const ParamImage&) const = default;
};
static_assert(sizeof(ParamImage) == kImageSize, "ParamImage must be exactly the 3084 image bytes");

// 16-bit fields are stored high byte first and read unsigned.
inline uint16_t read_u16(const FrameImage& f, std::size_t off) {
    return static_cast<uint16_t>(f[off] * 256u + f[off + 1]);
}
inline void write_u16(FrameImage& f, std::size_t off, uint16_t v) {
    f[off] = static_cast<uint8_t>(v >> 8);
    f[off + 1] = static_cast<uint8_t>(v & 0xFF);
}

// EQ band frequency index (16-bit, high/low rows).
inline uint16_t eq_freq(const FrameImage& f, std::size_t band) {
    return static_cast<uint16_t>(f[eq_frame::eq_freq_high + band] * 256u + f[eq_frame::eq_freq_low + band]);
}
inline void set_eq_freq(FrameImage& f, std::size_t band, uint16_t v) {
    f[eq_frame::eq_freq_high + band] = static_cast<uint8_t>(v >> 8);
    f[eq_frame::eq_freq_low + band] = static_cast<uint8_t>(v & 0xFF);
}

// Row of the Q byte in force for a band type: 0 peaking, 1/2 shelves, else pass.
inline std::size_t eq_q_row_for_type(uint8_t type) {
    if (type == 0) return eq_frame::eq_q_peq;
    if (type == 1 || type == 2) return eq_frame::eq_q_shelf;
    return eq_frame::eq_q_pass;
}

// Clamps the whole image to its legal ranges, in place. Idempotent.
void param_range_check(ParamImage& image);

}  // namespace tuner
