#include "support/simulated_unit.h"

#include <algorithm>
#include <utility>

#include "core/frame_protocol.h"

namespace tuner::testing {

namespace hf = hid_frame;

namespace {
bool take(int& fault) {
    if (fault == 0) return false;
    if (fault > 0) --fault;
    return true;
}
}  // namespace

SimulatedUnit::SimulatedUnit() : image(factory_image()) {
    eeprom_modes.fill(image);
    namespace b = cpu_info_byte;
    info = default_cpu_info();
    info[b::cpu_protocol_version] = kSupportedProtocolVersion;
    for (std::size_t i = 0; i < 3; ++i) info[b::cpu_version + i] = static_cast<uint8_t>(2 + 3 * i);  // 2.5.8
    // Band counts that differ per channel (the middle columns beyond a count are hidden).
    constexpr std::array<uint8_t, 10> kBandCounts = {10, 8, 10, 7, 9, 6, 5, 8, 7, 6};
    std::copy(kBandCounts.begin(), kBandCounts.end(), info.begin() + b::eq_band_count);
    info[b::cpu_version_m] = 0x81;  // high byte above 127
    info[b::cpu_version_m + 1] = 0x02;
    std::copy_n("Unit Name", 9, bt_name.begin());
    for (std::size_t i = 0; i < audio_mode_config.size(); i += 3) audio_mode_config[i] = 1;
}

ParamImage SimulatedUnit::factory_image() {
    ParamImage img{};
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
        img.eq[ch][eq_frame::EQ_CH] = static_cast<uint8_t>(ch);
        img.eq[ch][eq_frame::eq_chx_enable] = 1;
        img.eq[ch][eq_frame::eq_pre_gain_db_index] = 120;  // 0 dB
        for (std::size_t band = 0; band < kEqBands; ++band)
            img.eq[ch][eq_frame::eq_db + band] = static_cast<uint8_t>(100 + band + ch);
    }
    img.gen[gen_frame::music_vol] = 40;
    img.gen[gen_frame::music_input_sel] = 255;
    img.eff[eff_frame::echo_a_vol] = 17;
    param_range_check(img);
    return img;
}

std::vector<HidInterfaceInfo> SimulatedUnit::enumerate() {
    if (!plugged) return {};
    std::vector<HidInterfaceInfo> list = {{"/dev/hidraw0", 0x046D, 0xC52B, 0x0001, 0x0002}};  // a mouse
    for (const Decoy& d : decoys) list.push_back(d.info);
    list.push_back(interface_info);
    return list;
}

HidHandle SimulatedUnit::open(const std::string& path, HidOpenError* error) {
    const auto decoy = std::find_if(decoys.begin(), decoys.end(), [&](const Decoy& d) { return d.info.path == path; });
    const bool found = plugged && (decoy != decoys.end() || path == interface_info.path);
    // Every node of the device shares its permissions.
    const HidOpenError result = !found            ? HidOpenError::Failed
                                : deny_permission ? HidOpenError::PermissionDenied
                                                  : HidOpenError::None;
    if (error) *error = result;
    if (result != HidOpenError::None) return kNoHidHandle;
    if (decoy == decoys.end()) {
        open_.insert(next_handle_);
    } else {
        ++decoy->opens;
        decoy_handles_[next_handle_] = static_cast<std::size_t>(decoy - decoys.begin());
    }
    return next_handle_++;
}

void SimulatedUnit::close(HidHandle handle) {
    if (closed_.count(handle)) ++stale_calls;
    open_.erase(handle);
    decoy_handles_.erase(handle);
    if (handle != kNoHidHandle) closed_.insert(handle);
}

void SimulatedUnit::unplug() {
    plugged = false;
    open_.clear();  // the handles die with the device
    has_reply_ = false;
}

void SimulatedUnit::replug(const std::string& new_path) {
    plugged = true;
    interface_info.path = new_path;
}

bool SimulatedUnit::write_report(HidHandle handle, const HidReport& report) {
    if (closed_.count(handle)) ++stale_calls;
    if (const auto decoy = decoy_handles_.find(handle); decoy != decoy_handles_.end()) {
        ++decoys[decoy->second].writes;
        return true;
    }
    if (!plugged || !open_.count(handle) || take(write_fails)) return false;
    received.push_back(report);
    // The unit ignores frames that fail its own checks.
    if (frame_check(report, static_cast<uint8_t>(report[hf::hid_byte_cmd_inc_cou_1] + 1), true) == FrameCheck::Ok) {
        if (report[hf::RWS] == rws::W) apply_write(report);
        reply_ = build_reply(report);
        has_reply_ = true;
    }
    if (on_write) on_write(report);
    return true;
}

bool SimulatedUnit::read_report(HidHandle handle, HidReport& report) {
    if (on_read) on_read();
    if (closed_.count(handle)) ++stale_calls;
    if (decoy_handles_.count(handle)) return false;
    if (!scripted.empty()) {
        report = scripted.front();
        scripted.pop_front();
        return true;
    }
    if (!plugged || !open_.count(handle) || !has_reply_ || take(silent)) return false;
    report = reply_;
    return true;
}

void SimulatedUnit::apply_write(const FrameImage& req) {
    const uint8_t command = req[hf::command];
    if (command == cmd::eq || command == cmd::gen || command == cmd::effect) {
        if (command == cmd::eq && req[eq_frame::EQ_CH] >= kEqChannels) return;
        FrameImage& dst = command == cmd::gen ? image.gen : command == cmd::effect ? image.eff : image.eq[req[8]];
        std::copy(req.begin() + hf::payload, req.begin() + hf::payload_end + 1, dst.begin() + hf::payload);
        if (command != cmd::gen) return;
        // An input change is carried out; the image keeps "no change".
        if (req[gen_frame::music_input_sel] != 255) music_input = req[gen_frame::music_input_sel];
        image.gen[gen_frame::music_input_sel] = 255;
    } else if (command == cmd::bt_name) {
        std::copy_n(req.begin() + hf::payload, 40, bt_name.begin());
    } else if (command == cmd::audio_mode_config) {
        std::copy_n(req.begin() + hf::payload, 40, audio_mode_config.begin());
    } else if (command == cmd::eeprom_mode) {
        const uint8_t recall = req[11], save = req[9];
        if (req[10] == 1 && recall >= 1 && recall <= 16) {
            image = eeprom_modes[recall - 1];
            mode_index = recall;
        } else if (req[8] == 1 && save >= 1 && save <= 16) {
            eeprom_modes[save - 1] = image;
            mode_index = save;
        } else if (req[15] == 1 || req[17] == 1) {
            image = factory_image();
            if (req[17] == 1) eeprom_modes.fill(image);
        }
        busy_time_next_ = eeprom_busy_time;
    }
}

FrameImage SimulatedUnit::build_reply(const FrameImage& req) {
    const uint8_t command = req[hf::command];
    const bool read = req[hf::RWS] == rws::R;
    FrameImage reply = read ? FrameImage{} : req;  // an acknowledgement carries the request back
    if (read && command == kCpuInfoRequestCommand) std::copy(info.begin(), info.end(), reply.begin());
    if (read && command == cmd::eq && req[eq_frame::EQ_CH] < kEqChannels) reply = image.eq[req[eq_frame::EQ_CH]];
    if (read && command == cmd::gen) reply = image.gen;
    if (read && command == cmd::effect) reply = image.eff;
    if (read && command == cmd::bt_name) std::copy(bt_name.begin(), bt_name.end(), reply.begin() + hf::payload);
    if (read && command == cmd::audio_mode_config)
        std::copy(audio_mode_config.begin(), audio_mode_config.end(), reply.begin() + hf::payload);
    // The information frame carries capability bytes where others carry status.
    if (!read || command != kCpuInfoRequestCommand) {
        reply[241] = 0;  // not busy
        reply[242] = 1;  // powered on
        reply[245] = version_s;
        reply[251] = mode_index;
        reply[252] = music_input;
        reply[hf::busy_time] = std::exchange(busy_time_next_, 0);
    }
    frame_stamp(reply, ++counter_, command, read ? rws::S : rws::W);  // RWS W: an acknowledgement
    if (take(corrupt_checksum)) reply[hf::CHECK] ^= 0x5A;
    return reply;
}

}  // namespace tuner::testing
