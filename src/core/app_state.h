// The program's whole shared state: the parameter image and its copies, the
// unit's information and status, pending sends and request bytes, the link
// state and the language. The program owns one; every test makes its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/param_image.h"

namespace tuner {

constexpr int16_t kPending = -1;  // pending-send word raised
constexpr int16_t kClear = 0;     // pending-send word clear
constexpr uint8_t kNoRequest = 0xFF;

struct AppState {
    // Parameter image and its copies.
    ParamImage param_image{};
    ParamImage param_display_cache{};
    ParamImage temp_pc{};
    ParamImage param_image_default{};

    // Display refresh control.
    uint8_t refresh_incremental = 0;
    int16_t wait_busy = 0;

    // Link state: 0 not connected, 1 connected, 2 searching or offline.
    uint8_t cpu_connect_state = 0;

    // The unit's information block and the copies other parts read.
    std::array<uint8_t, 254> cpu_info{};
    std::array<uint8_t, 3> cpu_version{};
    std::array<uint8_t, 10> eq_band_count{10, 10, 0, 10, 10, 10, 10, 10, 10, 10};

    // Live status reported by the unit.
    uint8_t cpu_music_input = 6;
    uint8_t cpu_power_on = 1;
    uint8_t cpu_busy = 0;

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

    // Language: 0 Chinese, 1 English.
    uint8_t Language = 0;
    std::string Bt_Name = "Bt_Audio";

    // Editing selections.
    uint8_t eq_channel_sel = 0;
    uint8_t drc_channel_sel = 0;

    // Bluetooth name and audio-mode configuration buffers.
    std::array<uint8_t, 40> bt_name_rx{};
    std::array<uint8_t, 40> audio_mode_config{};
};

}  // namespace tuner
