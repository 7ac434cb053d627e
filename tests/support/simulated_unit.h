// A unit behind the HidTransport seam: it answers as the unit does, with faults on demand.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/hid_transport.h"

namespace tuner::testing {

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
    int open_handle_count() const { return static_cast<int>(open_.size()); }

    // Valid values that differ per channel; also what a reset restores.
    static ParamImage factory_image();

    HidInterfaceInfo interface_info{"/dev/hidraw3", 0x8888, 0x1234, 0xFF00, 0x55AA};
    bool plugged = true, deny_permission = false;

    ParamImage image;
    std::array<ParamImage, 16> eeprom_modes;
    std::array<uint8_t, 254> info{};
    std::array<uint8_t, 40> bt_name{}, audio_mode_config{};
    uint8_t mode_index = 1, music_input = 6;  // status bytes 251 and 252
    uint8_t version_s = 1;                    // status byte 245
    uint8_t eeprom_busy_time = 0;             // tenths of a second, in the reply to every mode command

    // Faults, each for the next n replies or writes (-1: until switched off).
    int silent = 0, corrupt_checksum = 0, write_fails = 0;
    // Exact reports, handed out one per read before anything else.
    std::deque<FrameImage> scripted;

    // Silent interfaces with the unit's ids, listed before it.
    struct Decoy {
        HidInterfaceInfo info;
        int opens = 0, writes = 0;
    };
    std::vector<Decoy> decoys;

    std::vector<FrameImage> received;  // what the PC wrote, in order
    std::function<void(const FrameImage&)> on_write;
    std::function<void()> on_read;
    int stale_calls = 0;  // reads, writes and closes of a handle the PC had closed

private:
    void apply_write(const FrameImage& request);
    FrameImage build_reply(const FrameImage& request);
    uint8_t busy_time_next_ = 0;

    std::set<HidHandle> open_, closed_;
    std::map<HidHandle, std::size_t> decoy_handles_;
    HidHandle next_handle_ = 1;
    FrameImage reply_{};
    bool has_reply_ = false;
    uint8_t counter_ = 0;
};

}  // namespace tuner::testing
