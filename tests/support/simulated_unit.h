// A simulated unit behind the HidTransport seam. It keeps its own parameter
// image, information block, status bytes and sixteen EEPROM modes, and
// answers frames as the unit does: information frame for the information
// request, S frames for read requests, acknowledgements for writes, busy
// times. Faults can be switched on: silence, corrupt checksum, repeated
// counter, wrong end byte, unplug, replug on another path, no permission.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/hid_transport.h"
#include "core/param_image.h"

namespace tuner::testing {

// RWS of the unit's acknowledgement of a write.
constexpr uint8_t kAckRws = 1;

class SimulatedUnit : public HidTransport {
public:
    SimulatedUnit();

    std::vector<HidInterfaceInfo> enumerate() override;
    HidHandle open(const std::string& path, HidOpenError* error) override;
    bool write_report(HidHandle handle, const HidReport& report) override;
    bool read_report(HidHandle handle, HidReport& report) override;
    void close(HidHandle handle) override;

    void unplug();
    void replug(const std::string& new_path);
    bool is_open(HidHandle handle) const { return open_.count(handle) != 0; }
    int open_handle_count() const { return static_cast<int>(open_.size()); }

    // The image the unit starts with (and returns to on an EEPROM reset):
    // valid values that differ per channel.
    static ParamImage factory_image();

    // How the unit presents itself.
    HidInterfaceInfo interface_info;
    std::vector<HidInterfaceInfo> other_interfaces;  // unrelated HID devices
    bool plugged = true;
    bool deny_permission = false;

    // The unit's data.
    ParamImage image;
    std::array<uint8_t, 254> info{};
    std::array<uint8_t, 40> bt_name{};
    std::array<uint8_t, 40> audio_mode_config{};
    std::array<ParamImage, 16> eeprom_modes;
    FrameImage test_block{};
    uint8_t busy = 0;
    uint8_t power_on = 1;
    uint8_t mode_index = 1;
    uint8_t music_input = 6;
    std::array<uint8_t, 5> version{1, 0, 0, 0, 0};  // status bytes 245..249
    // Busy time (tenths of a second) put into the next reply, and into the
    // reply to every EEPROM operation.
    uint8_t busy_time_next = 0;
    uint8_t eeprom_busy_time = 0;

    // Faults, each for the next n replies (-1: until switched off).
    int silent = 0;            // reads fetch nothing
    int corrupt_checksum = 0;
    int repeat_counter = 0;    // the reply carries the previous reply's counter
    int wrong_end_byte = 0;

    // What the PC sent, in order, and a hook run after each write.
    std::vector<FrameImage> received;
    std::function<void(const FrameImage&)> on_write;
    int reads = 0;

private:
    FrameImage build_reply(const FrameImage& request);
    void apply_write(const FrameImage& request);
    void stamp_reply(FrameImage& reply, uint8_t command, uint8_t rws_value, bool with_status);
    static bool take(int& fault);

    std::set<HidHandle> open_;
    HidHandle next_handle_ = 1;
    FrameImage reply_{};
    bool has_reply_ = false;
    uint8_t counter_ = 0;
};

}  // namespace tuner::testing
