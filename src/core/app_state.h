// The program's whole shared state: the parameter image and its copies, the
// unit's information and status, pending sends and request bytes, the link
// state and the language. The program owns one; every test makes its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/hid_transport.h"
#include "core/param_image.h"

namespace tuner {

constexpr int16_t kPending = -1;  // pending-send word raised
constexpr int16_t kClear = 0;     // pending-send word clear
constexpr uint8_t kNoRequest = 0xFF;

// Bytes of the unit's information block (offsets of its information frame).
namespace cpu_info_byte {
constexpr std::size_t cpu_cap_lock = 14;
constexpr std::size_t cpu_version = 17;            // 3 bytes a.b.c
constexpr std::size_t eq_band_count = 20;          // 10 bytes, one per EQ channel
constexpr std::size_t eq_band_edit_bits_8_9 = 30;  // + ch: bands 8 and 9 in bits 0 and 1
constexpr std::size_t eq_band_edit_bits_0_7 = 40;  // + ch: band b in bit b
constexpr std::size_t cpu_cap_frame15 = 53;
constexpr std::size_t cpu_protocol_version = 58;
constexpr std::size_t cpu_version_m = 60;   // u16 high byte first
constexpr std::size_t cpu_input_caps = 65;  // 10 bytes
constexpr std::size_t cpu_cap_echo_vr = 126;
constexpr std::size_t cpu_cap_reverb_vr = 127;
constexpr std::size_t cpu_cap_vol_control = 141;
constexpr std::size_t cpu_echo_delay_mode = 146;
constexpr std::size_t cpu_cap_mic_eff_echo = 147;
constexpr std::size_t cpu_cap_frame15_b = 233;
constexpr std::size_t cpu_cap_exciter = 242;
}  // namespace cpu_info_byte

constexpr uint8_t kSupportedProtocolVersion = 8;

// The test block (command 13): the test switch, then one byte per test box.
constexpr int kTestBoxes = 10;
constexpr std::size_t kTestSwitchByte = 8;
constexpr std::size_t kTestDataFirstByte = 9;  // box i holds byte 9 + i

// Marks every band of every EQ channel editable in an information block.
constexpr void allow_all_eq_bands(std::array<uint8_t, 254>& info) {
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
        info[cpu_info_byte::eq_band_edit_bits_0_7 + ch] = 255;
        info[cpu_info_byte::eq_band_edit_bits_8_9 + ch] = 255;
    }
}

// The information block before any unit has answered: every capability
// present, the default set of music inputs, every EQ band editable.
constexpr std::array<uint8_t, 254> default_cpu_info() {
    std::array<uint8_t, 254> info{};
    namespace b = cpu_info_byte;
    info[b::cpu_cap_exciter] = 255;
    info[b::cpu_cap_frame15_b] = 1;
    info[b::cpu_cap_frame15] = 1;
    constexpr uint8_t inputs[10] = {1, 1, 0, 1, 1, 1, 1, 0, 0, 0};
    for (std::size_t i = 0; i < 10; ++i) info[b::cpu_input_caps + i] = inputs[i];
    info[b::cpu_cap_vol_control] = 1;
    info[b::cpu_cap_mic_eff_echo] = 1;
    info[b::cpu_cap_echo_vr] = 0;
    info[b::cpu_cap_reverb_vr] = 0;
    info[b::cpu_cap_lock] = 1;
    allow_all_eq_bands(info);
    return info;
}

// The unit's live status, taken from bytes 164..253 of its frames.
struct CpuState {
    std::array<uint8_t, 13> status_bytes{};  // 164..176, kept as they come
    std::array<uint8_t, 64> status_block{};  // 177..240, kept as they come
    uint8_t cpu_busy = 0;                    // 241: non-zero while the unit is busy
    uint8_t cpu_power_on = 1;                // 242: 0 = standby
    uint8_t status_243 = 0;                  // a change refreshes the version line
    uint8_t status_244 = 0;
    uint8_t cpu_version_s = 0;   // 245
    uint16_t cpu_version_r = 0;  // 246/247
    uint16_t cpu_version_p = 0;  // 248/249
    uint8_t status_250 = 0;
    uint8_t cpu_mode_index = 0;   // 251: current audio mode 1..16
    uint8_t cpu_music_input = 6;  // 252: 0, 1 and 2 mean not ready
    uint8_t busy_time = 0;        // 253: wait request in 100 ms units
};

// The unit can take commands: not in standby and its input ready.
inline bool cpu_ready(const CpuState& st) { return st.cpu_music_input > 2 && st.cpu_power_on != 0; }

// Values of AppState::cpu_connect_state.
namespace connect_state {
constexpr uint8_t kIdle = 0;       // not connected and no search running
constexpr uint8_t kConnected = 1;  // the unit answers
constexpr uint8_t kSearching = 2;  // searching, or offline
}  // namespace connect_state

// Captions and messages are Chinese while the language byte is 0, English otherwise.
constexpr bool is_english(uint8_t language) { return language != 0; }

struct AppState {
    // Parameter image and its copies.
    ParamImage param_image{};
    ParamImage param_display_cache{};
    ParamImage temp_pc{};
    ParamImage param_image_default{};

    // Display refresh control.
    uint8_t refresh_incremental = 0;
    int16_t wait_busy = 0;

    // Link state, one of connect_state.
    uint8_t cpu_connect_state = connect_state::kSearching;
    uint8_t cpu_search_active = 0;  // 1 while searching is wanted
    HidHandle hid_handle = kNoHidHandle;
    bool hid_device_detected = false;
    uint8_t hid_not_found_cou = 0;  // searches in a row without a device, up to 255

    // Frame traffic: the one report buffer and its counters.
    FrameImage hid_buff{};
    uint8_t hid_tx_cou = 0;         // counter of sent frames
    uint8_t hid_rx_cou_last = 253;  // counter of the last accepted frame
    uint8_t hid_rx_miss_cou = 0;    // reads since the last accepted frame, up to 255
    uint8_t hid_wait_reply = 0;     // 1 = a frame went out, its answer is still to read
    uint8_t hid_poll_index = 0;     // step 0..13 of the poll cycle

    // The unit's information block and the copies other parts read.
    std::array<uint8_t, 254> cpu_info = default_cpu_info();
    std::array<uint8_t, 3> cpu_version{};
    std::array<uint8_t, 10> eq_band_count{10, 10, 0, 10, 10, 10, 10, 10, 10, 10};
    uint16_t cpu_version_m = 0;

    // Live status reported by the unit.
    CpuState cpu_state{};

    // Pending-send words (kPending / kClear).
    std::array<int16_t, 11> send_eq_req{};
    int16_t send_gen_req = 0;
    int16_t send_effect_req = 0;
    int16_t send_input_req = 0;
    int16_t send_bt_name_req = 0;
    int16_t send_audio_mode_config_req = 0;
    int16_t send_cpu_test_req = 0;

    // Request bytes.
    uint8_t power_req = kNoRequest;
    uint8_t mode_recall_req = kNoRequest;
    std::array<uint8_t, 2> mode_save_req{0, kNoRequest};
    std::array<uint8_t, 3> mode_reset_req{0, 0, 0};

    // Language: 0 Chinese, 1 English (until config.ini or the settings say otherwise).
    uint8_t Language = 1;
    std::string Bt_Name = "Bt_Audio";

    // Editing selections.
    uint8_t eq_channel_sel = 0;
    uint8_t drc_channel_sel = 0;

    // Bluetooth name and audio-mode configuration buffers.
    std::array<uint8_t, 40> bt_name_rx{};  // as the unit sent it
    std::string bt_name_rx_copy;           // its text (valid UTF-8)
    std::array<uint8_t, 40> bt_name_tx{};  // the name to write, zero padded
    bool bt_name_ready = false;            // bt_name_tx has been built
    std::array<uint8_t, 40> audio_mode_config{};

    // Test panel block, sent as command 13 (kTestSwitchByte, kTestDataFirstByte).
    FrameImage cpu_test_data{};
};

// Whether the unit lets band `band` (0..9) of EQ channel `ch` (0..9) be
// edited: bands 0..7 in byte 40 + ch, bands 8 and 9 in bits 0 and 1 of byte 30 + ch.
inline bool eq_band_editable(const AppState& s, std::size_t ch, std::size_t band) {
    if (ch >= kEqChannels || band >= kEqBands) return false;
    if (band < 8) return (s.cpu_info[cpu_info_byte::eq_band_edit_bits_0_7 + ch] >> band) & 1u;
    return (s.cpu_info[cpu_info_byte::eq_band_edit_bits_8_9 + ch] >> (band - 8)) & 1u;
}

// The unit is connected (frames go out only then).
inline bool cpu_connected(const AppState& s) { return s.cpu_connect_state == connect_state::kConnected; }

inline bool english(const AppState& s) { return is_english(s.Language); }

// While the unit reports a separate right echo delay (information byte 146 not
// 0), the right delay is a raw step 0..30 instead of an index into the delay
// table, and its caption names the delays of both sides.
inline bool echo_delay_r_raw(const AppState& s) { return s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] != 0; }

}  // namespace tuner
