#include "core/send_service.h"

#include <algorithm>
#include <string>

#include "core/frame_protocol.h"

namespace tuner {

namespace {

// Command 5 payload: every EEPROM operation starts from the base row.
void fill_eeprom_base(FrameImage& buff) {
    buff.fill(0);
    buff[eeprom_frame::save_mode] = eeprom_frame::no_mode;
    buff[eeprom_frame::recall_mode] = eeprom_frame::no_mode;
}

bool all_zero(const std::array<uint8_t, 40>& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// Sends the frame of a pending request and clears the request only once the
// frame is written.
template <typename Send>
void send_pending(int16_t& request, Send&& send) {
    if (send()) request = kClear;
}

void send_poll_request(DeviceLink& link, uint8_t step) {
    if (step == 0)
        i_hid_pc_tx_gen_cmd(link, rws::R);
    else if (step == 1)
        i_hid_pc_tx_effect_cmd(link, rws::R);
    else if (step <= 11)
        i_hid_pc_tx_eq_cmd(link, static_cast<uint8_t>(step - 2), rws::R);
    else if (step == 12)
        i_hid_pc_tx_read_write_bt_name(link, rws::R);
    else
        i_hid_pc_tx_read_write_audio_mode_config(link, rws::R);
}

}  // namespace

void hid_send_service(DeviceLink& link) {
    AppState& s = link.s;
    if (s.hid_wait_reply == 1) {
        s.hid_wait_reply = 0;
        i_hid_read_all_cmd(link);
        return;
    }
    if (s.bt_name_ready && s.send_bt_name_req == kPending) {
        s.send_bt_name_req = kClear;
        link.ui.clr_bt_name_display_and_read_bt_name_file2();
        // A refused or empty name leaves the buffer zero: writing it would
        // erase the unit's name, so the request is dropped.
        if (all_zero(s.bt_name_tx)) {
            link.ui.debug_line("Bluetooth name not sent: the name is empty or was refused");
            return;
        }
        if (!i_hid_pc_tx_read_write_bt_name(link, rws::W)) s.send_bt_name_req = kPending;
        return;
    }
    if (s.send_audio_mode_config_req == kPending) {
        send_pending(s.send_audio_mode_config_req,
                     [&] { return i_hid_pc_tx_read_write_audio_mode_config(link, rws::W); });
        return;
    }
    for (uint8_t ch = 0; ch < kEqChannels; ++ch) {
        if (s.send_eq_req[ch] != kPending) continue;
        send_pending(s.send_eq_req[ch], [&] { return i_hid_pc_tx_eq_cmd(link, ch, rws::W); });
        return;
    }
    if (s.send_gen_req == kPending) {
        send_pending(s.send_gen_req, [&] { return i_hid_pc_tx_gen_cmd(link, rws::W); });
        if (s.send_gen_req == kClear && s.send_input_req == kPending) s.send_input_req = kClear;
        return;
    }
    if (s.send_effect_req == kPending) {
        send_pending(s.send_effect_req, [&] { return i_hid_pc_tx_effect_cmd(link, rws::W); });
        return;
    }
    if (s.send_cpu_test_req == kPending) {
        send_pending(s.send_cpu_test_req, [&] { return i_hid_pc_tx_cpu_test_cmd(link, rws::W); });
        return;
    }
    if (s.power_req != kNoRequest) {
        s.hid_buff.fill(0);
        s.hid_buff[hid_frame::payload] = s.power_req;
        if (hid_send_frame(link, cmd::power, rws::W)) s.power_req = kNoRequest;
        return;
    }
    if (s.mode_recall_req != kNoRequest) {
        const uint8_t mode = s.mode_recall_req;
        fill_eeprom_base(s.hid_buff);
        s.hid_buff[eeprom_frame::recall_flag] = 1;
        s.hid_buff[eeprom_frame::recall_mode] = mode;
        if (!hid_send_frame(link, cmd::eeprom_mode, rws::W)) return;
        link.ui.debug_line("read_eeprom.  MODE========" + std::to_string(mode));
        s.mode_recall_req = kNoRequest;
        delay_ms(kRecallSettleMs, link.clock, link.pump);
        hid_read_all_and_refresh(link);
        s.hid_wait_reply = 1;
        return;
    }
    std::array<uint8_t, 3>& reset = s.mode_reset_req;
    if (reset[0] == 1 || reset[2] == 1) {
        fill_eeprom_base(s.hid_buff);
        std::copy(reset.begin(), reset.end(), s.hid_buff.begin() + eeprom_frame::reset);
        if (!hid_send_frame(link, cmd::eeprom_mode, rws::W)) return;
        link.ui.debug_line("RESET eeprom.");
        reset[0] = 0;
        reset[2] = 0;
        link.ui.display_wait_1s();
        return;
    }
    std::array<uint8_t, 2>& save = s.mode_save_req;
    if (save[0] == 1 && save[1] != kNoRequest) {
        const uint8_t mode = save[1];
        fill_eeprom_base(s.hid_buff);
        s.hid_buff[eeprom_frame::save_flag] = 1;
        s.hid_buff[eeprom_frame::save_mode] = mode;
        if (!hid_send_frame(link, cmd::eeprom_mode, rws::W)) return;
        link.ui.debug_line("write eeprom.  MODE========" + std::to_string(mode));
        save[0] = 0;
        save[1] = kNoRequest;
        link.ui.display_wait_1s();
        return;
    }
    s.hid_poll_index = static_cast<uint8_t>((s.hid_poll_index + 1) % kPollSteps);
    send_poll_request(link, s.hid_poll_index);
}

void CPU_Connect_OK_Req_Read_MCU_All_State(DeviceLink& link) {
    AppState& s = link.s;
    if (!cpu_connected(s)) return;
    link.ui.set_main_window_enabled(false);
    s.wait_busy = -1;

    // One request, its delays and the read of its answer; false once the
    // link is gone, so the rest of the read is skipped.
    // A frame that could not be written has no answer to read.
    const auto exchange = [&](auto&& send, int before_ms, int after_ms) {
        if (!link_connected(s)) return false;
        if (!send()) return link_connected(s);
        delay_ms(before_ms, link.clock, link.pump);
        i_hid_read_all_cmd(link);
        delay_ms(after_ms, link.clock, link.pump);
        return link_connected(s);
    };
    bool up =
        exchange([&] { return i_hid_pc_tx_read_write_bt_name(link, rws::R); }, kReadBeforeMs, kReadAfterMs) &&
        exchange([&] { return i_hid_pc_tx_read_write_audio_mode_config(link, rws::R); }, kReadBeforeMs, kReadAfterMs);
    for (uint8_t ch = 0; up && ch < kEqChannels; ++ch)
        up = exchange([&] { return i_hid_pc_tx_eq_cmd(link, ch, rws::R); }, kEqReadDelayMs, kEqReadDelayMs);
    up = up && exchange([&] { return i_hid_pc_tx_gen_cmd(link, rws::R); }, kReadBeforeMs, kReadAfterMs) &&
         exchange([&] { return i_hid_pc_tx_effect_cmd(link, rws::R); }, kReadBeforeMs, kReadAfterMs);

    s.wait_busy = 0;
    link.ui.set_main_window_enabled(true);
    link.ui.set_all_dis();
    if (!up) return;

    if (link.ui.bt_name_auto_update()) {
        link.ui.clr_bt_name_display_and_read_bt_name_file2();
        s.send_bt_name_req = kPending;
    }
    if (s.cpu_test_data[kTestSwitchByte] == 1) s.send_cpu_test_req = kPending;
}

void hid_read_all_and_refresh(DeviceLink& link) {
    CPU_Connect_OK_Req_Read_MCU_All_State(link);
    link.s.refresh_incremental = 0;
    link.ui.set_all_dis();
    link.ui.set_dis_audio_mode_config();
    // No transfer wait for a unit that is gone.
    if (link_connected(link.s)) link.ui.display_wait_1s();
}

}  // namespace tuner
