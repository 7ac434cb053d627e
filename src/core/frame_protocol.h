// The 257-byte frames exchanged with the unit: stamping and sending them,
// reading and checking the unit's frames, dispatching them into the state,
// and the senders, one per command.
#pragma once

#include <cstdint>
#include <string>

#include "core/link_context.h"
#include "core/param_image.h"

namespace tuner {

// The unit-information request. The protocol leaves command 10 unused; the
// connect step sends it as a read request (RWS R) and takes the answer, a
// frame of the same command, as the unit's information block. Change it here
// should a unit ask for another number.
constexpr uint8_t kCpuInfoRequestCommand = 10;

// Low byte of the sum of bytes 0..254.
uint8_t frame_checksum(const FrameImage& f);

// Writes report id, start code, counter (bytes 5 and 254), command, RWS, end
// byte and checksum into a frame whose payload is already in place.
void frame_stamp(FrameImage& f, uint8_t counter, uint8_t command, uint8_t rws);

enum class FrameCheck { Ok, BadStartCode, BadEndByte, BadChecksum, RepeatedCounter, CounterMismatch };

// Checks a frame from the unit. `check_byte_3` also requires start-code
// byte 3 (0x01); the general reader leaves it unexamined.
FrameCheck frame_check(const FrameImage& f, uint8_t last_counter, bool check_byte_3);

// Stamps and sends hid_buff, then clears it (byte 256 keeps 0xFF). A write
// that fails (no device, or the transport refused it) counts as a missed read
// and leaves no reply awaited; false then, so the caller keeps its request.
bool hid_send_frame(DeviceLink& link, uint8_t command, uint8_t rws);
// Reads one frame and acts on it; 1 accepted, 0 not.
uint8_t i_hid_read_all_cmd(DeviceLink& link);
// Reads one frame; 1 when it is a valid new frame of the expected command.
// Anything else, a valid frame of another command included, is a missed read.
uint8_t i_hid_read_1_cmd(DeviceLink& link, uint8_t expected_command);

void cpu_state_store(DeviceLink& link);
// Takes the information block from hid_buff. False when the unit speaks
// another protocol version: the user is told and the program is ended.
bool hid_buff_rec_cpu_info_pro(DeviceLink& link);
void hid_rec_bt_name(DeviceLink& link);
void hid_rec_audio_mode_config(DeviceLink& link);

// Senders; `rws` is rws::R or rws::W. Each returns hid_send_frame's verdict.
bool i_hid_pc_tx_eq_cmd(DeviceLink& link, uint8_t ch, uint8_t rws);
bool i_hid_pc_tx_gen_cmd(DeviceLink& link, uint8_t rws);
bool i_hid_pc_tx_effect_cmd(DeviceLink& link, uint8_t rws);
bool i_hid_pc_tx_read_write_bt_name(DeviceLink& link, uint8_t rws);
bool i_hid_pc_tx_read_write_audio_mode_config(DeviceLink& link, uint8_t rws);
bool i_hid_pc_tx_cpu_test_cmd(DeviceLink& link, uint8_t rws);

// A test-panel number: empty or not a whole number gives 0, the rest is
// clamped to 0..255.
uint8_t cpu_test_value_from_text(const std::string& text);

}  // namespace tuner
