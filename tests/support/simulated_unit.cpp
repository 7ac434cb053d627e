#include "support/simulated_unit.h"

#include <algorithm>

#include "core/frame_protocol.h"

namespace tuner::testing {

namespace hf = hid_frame;

SimulatedUnit::SimulatedUnit() {
    interface_info = {"/dev/hidraw3", 0x8888, 0x1234, 0xFF00, 0x55AA};
    image = factory_image();
    eeprom_modes.fill(image);
    namespace b = cpu_info_byte;
    info = default_cpu_info();
    info[b::cpu_protocol_version] = kSupportedProtocolVersion;
    info[b::cpu_version] = 2;
    info[b::cpu_version + 1] = 5;
    info[b::cpu_version + 2] = 7;
    for (std::size_t ch = 0; ch < 10; ++ch) info[b::eq_band_count + ch] = 10;
    info[b::cpu_version_m] = 0x81;  // high byte above 127
    info[b::cpu_version_m + 1] = 0x02;
    const char name[] = "Unit Name";
    std::copy(name, name + sizeof(name) - 1, bt_name.begin());
    for (std::size_t i = 0; i < audio_mode_config.size(); i += 3) audio_mode_config[i] = 1;
}

ParamImage SimulatedUnit::factory_image() {
    ParamImage img{};
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
        FrameImage& eq = img.eq[ch];
        eq[eq_frame::EQ_CH] = static_cast<uint8_t>(ch);
        for (std::size_t band = 0; band < kEqBands; ++band) {
            set_eq_freq(eq, band, static_cast<uint16_t>(100 + 20 * band + ch));
            eq[eq_frame::eq_db + band] = static_cast<uint8_t>(100 + band + ch);
            eq[eq_frame::eq_x_enable + band] = 1;
        }
    }
    img.gen[gen_frame::music_vol] = 40;
    img.gen[gen_frame::mic_vol] = 41;
    img.gen[gen_frame::music_input_sel] = 255;
    img.eff[eff_frame::echo_a_vol] = 17;
    param_range_check(img);
    return img;
}

std::vector<HidInterfaceInfo> SimulatedUnit::enumerate() {
    std::vector<HidInterfaceInfo> list = other_interfaces;
    if (plugged) list.push_back(interface_info);
    return list;
}

HidHandle SimulatedUnit::open(const std::string& path, HidOpenError* error) {
    HidOpenError result = HidOpenError::None;
    if (!plugged || path != interface_info.path) result = HidOpenError::Failed;
    else if (deny_permission) result = HidOpenError::PermissionDenied;
    if (error) *error = result;
    if (result != HidOpenError::None) return kNoHidHandle;
    const HidHandle h = next_handle_++;
    open_.insert(h);
    return h;
}

void SimulatedUnit::close(HidHandle handle) { open_.erase(handle); }

void SimulatedUnit::unplug() {
    plugged = false;
    open_.clear();  // the handles die with the device
    has_reply_ = false;
}

void SimulatedUnit::replug(const std::string& new_path) {
    plugged = true;
    interface_info.path = new_path;
}

bool SimulatedUnit::take(int& fault) {
    if (fault == 0) return false;
    if (fault > 0) --fault;
    return true;
}

bool SimulatedUnit::write_report(HidHandle handle, const HidReport& report) {
    if (!plugged || !is_open(handle)) return false;
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
    ++reads;
    if (!plugged || !is_open(handle) || !has_reply_) return false;
    if (take(silent)) return false;
    // The current report stays until the next request: reading it twice
    // gives the same frame again.
    report = reply_;
    return true;
}

void SimulatedUnit::apply_write(const FrameImage& req) {
    const auto copy_params = [&](FrameImage& dst) {
        std::copy(req.begin() + hf::payload, req.begin() + hf::payload_end + 1, dst.begin() + hf::payload);
    };
    switch (req[hf::command]) {
    case cmd::eq:
        if (req[eq_frame::EQ_CH] < kEqChannels) copy_params(image.eq[req[eq_frame::EQ_CH]]);
        break;
    case cmd::gen: {
        copy_params(image.gen);
        const uint8_t input = req[gen_frame::music_input_sel];
        if (input != 255) music_input = input;
        image.gen[gen_frame::music_input_sel] = 255;
        break;
    }
    case cmd::effect: copy_params(image.eff); break;
    case cmd::bt_name: std::copy_n(req.begin() + hf::payload, 40, bt_name.begin()); break;
    case cmd::audio_mode_config: std::copy_n(req.begin() + hf::payload, 40, audio_mode_config.begin()); break;
    case cmd::power: power_on = req[hf::payload] == 0 ? 0 : 1; break;
    case cmd::cpu_test: test_block = req; break;
    case cmd::eeprom_mode: {
        const uint8_t recall = req[11];
        const uint8_t save = req[9];
        if (req[10] == 1 && recall >= 1 && recall <= 16) {
            image = eeprom_modes[recall - 1];
            mode_index = recall;
        } else if (req[8] == 1 && save >= 1 && save <= 16) {
            eeprom_modes[save - 1] = image;
            mode_index = save;
        } else {
            if (req[15] == 1) image = factory_image();
            if (req[17] == 1) {
                image = factory_image();
                eeprom_modes.fill(image);
            }
        }
        busy_time_next = eeprom_busy_time;
        break;
    }
    default: break;
    }
}

void SimulatedUnit::stamp_reply(FrameImage& reply, uint8_t command, uint8_t rws_value, bool with_status) {
    if (with_status) {
        reply[241] = busy;
        reply[242] = power_on;
        std::copy(version.begin(), version.end(), reply.begin() + 245);
        reply[251] = mode_index;
        reply[252] = music_input;
        reply[hf::busy_time] = busy_time_next;
        busy_time_next = 0;
    }
    if (!take(repeat_counter)) counter_ = static_cast<uint8_t>(counter_ + 1);
    frame_stamp(reply, counter_, command, rws_value);
    if (take(corrupt_checksum)) reply[hf::CHECK] ^= 0x5A;
    if (take(wrong_end_byte)) reply[hf::end] = 0xFE;
}

FrameImage SimulatedUnit::build_reply(const FrameImage& req) {
    const uint8_t command = req[hf::command];
    FrameImage reply{};
    if (req[hf::RWS] != rws::R) {
        // Acknowledgement: the request's own payload back, with the status.
        reply = req;
        stamp_reply(reply, command, kAckRws, true);
        return reply;
    }
    switch (command) {
    case kCpuInfoRequestCommand:
        std::copy(info.begin(), info.end(), reply.begin());
        break;
    case cmd::eq:
        if (req[eq_frame::EQ_CH] < kEqChannels) reply = image.eq[req[eq_frame::EQ_CH]];
        break;
    case cmd::gen: reply = image.gen; break;
    case cmd::effect: reply = image.eff; break;
    case cmd::bt_name: std::copy(bt_name.begin(), bt_name.end(), reply.begin() + hf::payload); break;
    case cmd::audio_mode_config:
        std::copy(audio_mode_config.begin(), audio_mode_config.end(), reply.begin() + hf::payload);
        break;
    default: break;
    }
    // The information frame carries capability bytes where others carry status.
    stamp_reply(reply, command, rws::S, command != kCpuInfoRequestCommand);
    return reply;
}

}  // namespace tuner::testing
